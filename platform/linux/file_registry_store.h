#pragma once

#include "core/registry_tree.h"
#include "platform/registry_store.h"

namespace tolvane {

// The registry kept in one file. Every call reads the file afresh and every change
// replaces it whole and atomically, so a crash or a full disk never leaves half a store.
// A file that cannot be read or parsed reads as no values.
class FileRegistryStore : public RegistryStore {
public:
    explicit FileRegistryStore(QString filePath);

    void savestring(RegistryRoot root, const QString& path, const QString& name,
                    const QString& text) override;
    std::optional<QString> getstring(RegistryRoot root, const QString& path,
                                     const QString& name) override;
    void DeleteValue(RegistryRoot root, const QString& path, const QString& name) override;

private:
    RegistryTree read() const;
    void write(const RegistryTree& tree) const;

    QString filePath_;
};

}  // namespace tolvane
