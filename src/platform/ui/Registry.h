// The program's settings store, shaped like a registry under
// HKEY_LOCAL_MACHINE: keys such as "\SOFTWARE\Quon\Quon OCR" holding typed
// values (32-bit integers, booleans as 0/1 integers, 8-byte floats as binary
// data, strings). Value names compare without regard to case.
//
// It lives in one INI file in the user's configuration folder
// ($QUON_OCR_REGISTRY, or Registry::setStorageFile, chooses another one; tests
// do that). Each value carries its type, so reading an integer from a string
// value fails as it would on the real store.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

namespace quon {

class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const std::string& what) : std::runtime_error(what) {}
};

class Registry {
public:
    Registry();
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Opens the key (a path like "\SOFTWARE\Quon\Quon OCR"); with canCreate a
    // missing key is created together with its parents. False when it does
    // not exist and may not be created.
    bool OpenKey(const QString& key, bool canCreate);
    bool KeyExists(const QString& key) const;
    void CloseKey();
    bool isOpen() const { return !current_.isEmpty(); }

    bool ValueExists(const QString& name) const;
    QStringList valueNames() const;

    std::optional<int32_t> tryReadInteger(const QString& name) const;
    std::optional<bool> tryReadBool(const QString& name) const;
    std::optional<double> tryReadFloat(const QString& name) const;
    std::optional<QString> tryReadString(const QString& name) const;

    // These throw RegistryError on a missing value or one of another type.
    int32_t ReadInteger(const QString& name) const;
    bool ReadBool(const QString& name) const;
    double ReadFloat(const QString& name) const;
    QString ReadString(const QString& name) const;

    void WriteInteger(const QString& name, int32_t value);
    void WriteBool(const QString& name, bool value);
    void WriteFloat(const QString& name, double value);
    void WriteString(const QString& name, const QString& value);
    void DeleteValue(const QString& name);

    static void setStorageFile(const QString& path);
    static QString storageFile();

private:
    std::optional<QString> rawValue(const QString& name) const;
    QString storedName(const QString& name) const;
    void writeRaw(const QString& name, const QString& raw);
    static QString groupOf(const QString& key);

    std::unique_ptr<QSettings> settings_;
    QString current_; // group of the open key, empty when closed
};

// The program's main key.
inline const QString QuonRegistryKey = QStringLiteral("\\SOFTWARE\\Quon\\Quon OCR");

} // namespace quon
