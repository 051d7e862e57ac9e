#include "BenchCommon.h"

#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"

#include <QString>

#include <algorithm>
#include <cstdio>

namespace quon::bench {

bool loadBenchPage(const char* path, std::string& error)
{
    LoadedPage page = loadPageFile(QString::fromLocal8Bit(path));
    if (!page.ok()) {
        error = page.error.toStdString();
        return false;
    }
    resetTablesToStart();
    installPage(monoRows(page.mono));
    return true;
}

std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace quon::bench
