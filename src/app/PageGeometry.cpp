#include "app/PageGeometry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace quon {

namespace {
int32_t atLeast1(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 1, std::numeric_limits<int32_t>::max()));
}
} // namespace

ShownSize zoomedSize(int32_t imageWidth, int32_t imageHeight, int32_t percent)
{
    return {atLeast1(int64_t{percent} * imageWidth / 100), atLeast1(int64_t{percent} * imageHeight / 100)};
}

ShownSize fittedSize(int32_t clientWidth, int32_t clientHeight)
{
    return {atLeast1(clientWidth), atLeast1(clientHeight)};
}

std::optional<int32_t> zoomPercentOfCaption(const std::string& captionIn)
{
    std::string caption = captionIn;
    if (const auto amp = caption.find('&'); amp != std::string::npos)
        caption.erase(amp, 1);
    if (caption == "Fit to window")
        return std::nullopt;
    const auto pct = caption.find('%');
    if (pct == std::string::npos)
        return 100;
    int32_t p = 0;
    for (size_t i = 0; i < pct; ++i)
        if (std::isdigit(static_cast<unsigned char>(caption[i])))
            p = p * 10 + (caption[i] - '0');
    return p;
}

IntPoint viewToPage(IntPoint view, int32_t imageWidth, int32_t imageHeight, ShownSize shown)
{
    const int64_t sw = std::max(1, shown.width), sh = std::max(1, shown.height);
    return {static_cast<int32_t>(int64_t{view.X} * imageWidth / sw),
            static_cast<int32_t>(int64_t{view.Y} * imageHeight / sh)};
}

IntPoint clampToPage(IntPoint p, int32_t imageWidth, int32_t imageHeight)
{
    return {std::clamp(p.X, 0, std::max(0, imageWidth - 1)), std::clamp(p.Y, 0, std::max(0, imageHeight - 1))};
}

PixelRect dragCropRect(IntPoint anchor, IntPoint view)
{
    return {std::min(anchor.X, view.X), std::min(anchor.Y, view.Y), std::max(anchor.X, view.X),
            std::max(anchor.Y, view.Y)};
}

PixelRect cropToPage(const PixelRect& view, int32_t imageWidth, int32_t imageHeight, ShownSize shown)
{
    const int64_t fx = int64_t{imageWidth} * 100 / std::max(1, shown.width);
    const int64_t fy = int64_t{imageHeight} * 100 / std::max(1, shown.height);
    auto edge = [](int32_t v, int64_t f, int32_t limit) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} * f / 100, 0, limit));
    };
    PixelRect r{edge(view.Left, fx, imageWidth), edge(view.Top, fy, imageHeight), edge(view.Right, fx, imageWidth),
                edge(view.Bottom, fy, imageHeight)};
    if (isEmpty(r))
        return {};
    return r;
}

double printScale(int32_t printerDpi, double scanResolution)
{
    const double r = std::max(1.0, std::round(std::isfinite(scanResolution) ? scanResolution : 1.0));
    return std::max(1, printerDpi) / r;
}

std::optional<long double> parseAngleText(const std::string& text)
{
    std::string digits;
    bool separator = false;
    bool anyDigit = false;
    for (char ch : text) {
        if (ch == ' ' || ch == '_')
            continue;
        if (std::isdigit(static_cast<unsigned char>(ch))) {
            digits += ch;
            anyDigit = true;
        } else if ((ch == ',' || ch == '.') && !separator) {
            digits += '.';
            separator = true;
        } else if ((ch == '-' || ch == '+') && digits.empty()) {
            digits += ch;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    long double v = 0;
    long double scale = 0;
    bool negative = false;
    for (char ch : digits) {
        if (ch == '-')
            negative = true;
        else if (ch == '.')
            scale = 1;
        else if (ch != '+') {
            if (scale == 0)
                v = v * 10 + (ch - '0');
            else {
                scale /= 10;
                v += (ch - '0') * scale;
            }
        }
    }
    return negative ? -v : v;
}

std::string bmpSaveName(const std::string& chosen)
{
    const auto slash = chosen.find_last_of('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::string folder = chosen.substr(0, start);
    std::string name = chosen.substr(start);
    const auto lastDot = name.find_last_of('.');
    if (lastDot == std::string::npos)
        return folder + name + ".bmp";
    if (name.substr(lastDot) == ".BMP")
        return chosen;
    return folder + name.substr(0, name.find('.') + 1) + "bmp";
}

} // namespace quon
