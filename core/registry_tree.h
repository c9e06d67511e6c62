#pragma once

#include "core/registry_root.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace tolvane {

// The registry's contents as plain data: what the file-backed store reads, changes and
// writes back whole. Key paths and value names compare without regard to letter case, as
// the system registry does; one trailing backslash names the same key as none.
class RegistryTree {
public:
    // A document that does not parse, or is not of the expected shape, gives an empty tree.
    static RegistryTree fromJson(const QByteArray& json);
    QByteArray toJson() const;

    void set(RegistryRoot root, const QString& path, const QString& name, const QString& text);
    std::optional<QString> get(RegistryRoot root, const QString& path, const QString& name) const;
    // False when there was no such value, so the caller knows nothing changed.
    bool remove(RegistryRoot root, const QString& path, const QString& name);
    bool hasKey(RegistryRoot root, const QString& path) const;

    // Whether two key paths, or two value names, name the same thing.
    static bool sameKey(const QString& a, const QString& b);
    static bool sameName(const QString& a, const QString& b);

private:
    // {"HKEY_LOCAL_MACHINE": {"SOFTWARE\\Vendor": {"Name": "text"}, ...}}
    QJsonObject roots_;
};

}  // namespace tolvane
