// The settings store as the program reads it at start: its keys opened
// without creating them and every value read as the type asked for. The
// promise: whatever the file holds, reading it neither fails nor changes
// it, and the values read, written to a new store, read back the same.
#include "FuzzPromise.h"

#include "platform/ui/Registry.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <cstring>
#include <optional>

#include <unistd.h>

using namespace quon;
using namespace quon::fuzz;

namespace {

// The keys the program reads.
const QStringList Keys = {QuonRegistryKey, QuonRegistryKey + "\\Skarn97\\Display",
                          QuonRegistryKey + "\\Skarn97\\Picture"};

struct Value {
    std::optional<int32_t> integer;
    std::optional<double> number;
    std::optional<QString> text;
    bool operator==(const Value& o) const
    {
        // Floats are compared by their bytes: a stored NaN is still itself.
        const bool sameNumber = number.has_value() == o.number.has_value() &&
                                (!number || std::memcmp(&*number, &*o.number, sizeof(double)) == 0);
        return integer == o.integer && sameNumber && text == o.text;
    }
};

using Reading = QMap<QString, QMap<QString, Value>>; // key, lower-case name

Reading readAll()
{
    Reading r;
    Registry reg;
    for (const QString& key : Keys) {
        if (!reg.OpenKey(key, false))
            continue;
        QMap<QString, Value>& values = r[key];
        for (const QString& name : reg.valueNames()) {
            const QString lower = name.toLower();
            if (values.contains(lower))
                continue; // names differ only in case: the first one is the value
            values[lower] = Value{reg.tryReadInteger(name), reg.tryReadFloat(name), reg.tryReadString(name)};
        }
        reg.CloseKey();
    }
    return r;
}

QString scratchFile(const char* what)
{
    // A new name each time: the settings library caches files by name.
    static int serial = 0;
    // Kept in memory where there is a memory file system: the library
    // writes its files through fsync.
    static const QDir folder = QDir("/dev/shm").exists() ? QDir("/dev/shm") : QDir::temp();
    return folder.filePath(QStringLiteral("quon-fuzz-settings-%1-%2-%3.ini").arg(getpid()).arg(what).arg(++serial));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString input = scratchFile("in");
    {
        QFile f(input);
        promise(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), "the scratch file can be written");
    }
    Registry::setStorageFile(input);
    const Reading read = readAll();
    {
        QFile f(input);
        promise(f.open(QIODevice::ReadOnly) && f.readAll() == bytes, "reading the settings leaves their file alone");
    }

    const QString output = scratchFile("out");
    Registry::setStorageFile(output);
    {
        Registry reg;
        for (auto key = read.begin(); key != read.end(); ++key) {
            promise(reg.OpenKey(key.key(), true), "a key can be created");
            for (auto v = key->begin(); v != key->end(); ++v) {
                if (v->integer)
                    reg.WriteInteger(v.key(), *v->integer);
                else if (v->number)
                    reg.WriteFloat(v.key(), *v->number);
                else if (v->text)
                    reg.WriteString(v.key(), *v->text);
            }
            reg.CloseKey();
        }
    }
    Reading written;
    {
        const Reading again = readAll();
        // Values of no type the program reads are not written.
        for (auto key = read.begin(); key != read.end(); ++key)
            for (auto v = key->begin(); v != key->end(); ++v)
                if (v->integer || v->number || v->text)
                    written[key.key()][v.key()] = *v;
        for (auto key = again.begin(); key != again.end(); ++key)
            promise(key->isEmpty() || written.contains(key.key()), "no key appears from nowhere");
        for (auto key = written.begin(); key != written.end(); ++key)
            promise(again.value(key.key()) == *key, "values written read back the same", key.key().toStdString());
    }
    Registry::setStorageFile({});
    QFile::remove(input);
    QFile::remove(output);
    return 0;
}
