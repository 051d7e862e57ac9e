#include "platform/ui/Registry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <cstring>

namespace quon {

namespace {
QString& overridePath()
{
    static QString path;
    return path;
}

// A key exists when this marker is stored in its group; empty keys have no
// values of their own to show that they exist.
const QString KeyMarker = QStringLiteral(".key");
const QString IntTag = QStringLiteral("dword:");
const QString StringTag = QStringLiteral("sz:");
const QString BinaryTag = QStringLiteral("hex:");
} // namespace

void Registry::setStorageFile(const QString& path) { overridePath() = path; }

QString Registry::storageFile()
{
    if (!overridePath().isEmpty())
        return overridePath();
    const QByteArray env = qgetenv("QUON_OCR_REGISTRY");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + "/.config";
    return QDir(base).filePath("Quon/registry.ini");
}

Registry::Registry() : settings_(std::make_unique<QSettings>(storageFile(), QSettings::IniFormat)) {}

Registry::~Registry() { settings_->sync(); }

QString Registry::groupOf(const QString& key)
{
    QStringList parts = QString(key).replace('\\', '/').split('/', Qt::SkipEmptyParts);
    return parts.join('/');
}

bool Registry::KeyExists(const QString& key) const
{
    const QString group = groupOf(key);
    if (group.isEmpty())
        return true;
    return settings_->contains(group + "/" + KeyMarker);
}

bool Registry::OpenKey(const QString& key, bool canCreate)
{
    const QString group = groupOf(key);
    if (group.isEmpty())
        return false;
    if (!KeyExists(key)) {
        if (!canCreate)
            return false;
        const QStringList parts = group.split('/');
        QString path;
        for (const QString& p : parts) {
            path = path.isEmpty() ? p : path + "/" + p;
            settings_->setValue(path + "/" + KeyMarker, 1);
        }
        settings_->sync();
    }
    current_ = group;
    return true;
}

void Registry::CloseKey()
{
    settings_->sync();
    current_.clear();
}

QStringList Registry::valueNames() const
{
    if (current_.isEmpty())
        return {};
    settings_->beginGroup(current_);
    QStringList names = settings_->childKeys();
    settings_->endGroup();
    names.removeAll(KeyMarker);
    return names;
}

QString Registry::storedName(const QString& name) const
{
    for (const QString& n : valueNames())
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return {};
}

bool Registry::ValueExists(const QString& name) const { return !storedName(name).isEmpty(); }

std::optional<QString> Registry::rawValue(const QString& name) const
{
    const QString stored = storedName(name);
    if (stored.isEmpty())
        return std::nullopt;
    return settings_->value(current_ + "/" + stored).toString();
}

std::optional<int32_t> Registry::tryReadInteger(const QString& name) const
{
    const auto raw = rawValue(name);
    if (!raw || !raw->startsWith(IntTag))
        return std::nullopt;
    bool ok = false;
    const qlonglong v = raw->mid(IntTag.size()).toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(v);
}

std::optional<bool> Registry::tryReadBool(const QString& name) const
{
    const auto v = tryReadInteger(name);
    if (!v)
        return std::nullopt;
    return *v != 0;
}

std::optional<double> Registry::tryReadFloat(const QString& name) const
{
    const auto raw = rawValue(name);
    if (!raw || !raw->startsWith(BinaryTag))
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromHex(raw->mid(BinaryTag.size()).toLatin1());
    if (bytes.size() != 8)
        return std::nullopt;
    double v = 0;
    std::memcpy(&v, bytes.constData(), 8); // stored little-endian, as the machine holds it
    return v;
}

std::optional<QString> Registry::tryReadString(const QString& name) const
{
    const auto raw = rawValue(name);
    if (!raw || !raw->startsWith(StringTag))
        return std::nullopt;
    return raw->mid(StringTag.size());
}

namespace {
template <typename T>
T orThrow(const std::optional<T>& v, const QString& name, const char* type)
{
    if (!v)
        throw RegistryError("Invalid data type for '" + name.toStdString() + "' (" + type + " expected)");
    return *v;
}
} // namespace

int32_t Registry::ReadInteger(const QString& name) const { return orThrow(tryReadInteger(name), name, "integer"); }
bool Registry::ReadBool(const QString& name) const { return orThrow(tryReadBool(name), name, "integer"); }
double Registry::ReadFloat(const QString& name) const { return orThrow(tryReadFloat(name), name, "binary"); }
QString Registry::ReadString(const QString& name) const { return orThrow(tryReadString(name), name, "string"); }

void Registry::writeRaw(const QString& name, const QString& raw)
{
    if (current_.isEmpty())
        throw RegistryError("No key is open");
    QString stored = storedName(name);
    if (stored.isEmpty())
        stored = name;
    settings_->setValue(current_ + "/" + stored, raw);
}

void Registry::WriteInteger(const QString& name, int32_t value) { writeRaw(name, IntTag + QString::number(value)); }
void Registry::WriteBool(const QString& name, bool value) { WriteInteger(name, value ? 1 : 0); }
void Registry::WriteFloat(const QString& name, double value)
{
    QByteArray bytes(8, 0);
    std::memcpy(bytes.data(), &value, 8);
    writeRaw(name, BinaryTag + QString::fromLatin1(bytes.toHex()));
}
void Registry::WriteString(const QString& name, const QString& value) { writeRaw(name, StringTag + value); }

void Registry::DeleteValue(const QString& name)
{
    const QString stored = storedName(name);
    if (!stored.isEmpty())
        settings_->remove(current_ + "/" + stored);
}

} // namespace quon
