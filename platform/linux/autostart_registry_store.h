#pragma once

#include "platform/registry_store.h"

namespace tolvane {

// Passes every call on to another store and mirrors the start-at-log-on value into an
// XDG autostart entry: written whenever the value is saved, removed when it is deleted.
class AutostartRegistryStore : public RegistryStore {
public:
    AutostartRegistryStore(RegistryStore& inner, QString entryPath);

    void savestring(RegistryRoot root, const QString& path, const QString& name,
                    const QString& text) override;
    std::optional<QString> getstring(RegistryRoot root, const QString& path,
                                     const QString& name) override;
    void DeleteValue(RegistryRoot root, const QString& path, const QString& name) override;

    static bool isStartupValue(RegistryRoot root, const QString& path, const QString& name);

private:
    RegistryStore& inner_;
    QString entryPath_;
};

}  // namespace tolvane
