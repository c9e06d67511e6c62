#include "platform/linux/file_registry_store.h"

#include "core/atomic_file.h"
#include "core/registry_tree.h"

#include <QFile>

namespace tolvane {

FileRegistryStore::FileRegistryStore(QString filePath) : filePath_(std::move(filePath)) {}

void FileRegistryStore::savestring(RegistryRoot root, const QString& path, const QString& name,
                                   const QString& text) {
    RegistryTree tree = read();
    tree.set(root, path, name, text);
    write(tree);
}

std::optional<QString> FileRegistryStore::getstring(RegistryRoot root, const QString& path,
                                                    const QString& name) {
    return read().get(root, path, name);
}

void FileRegistryStore::DeleteValue(RegistryRoot root, const QString& path, const QString& name) {
    RegistryTree tree = read();
    if (tree.remove(root, path, name))
        write(tree);
}

RegistryTree FileRegistryStore::read() const {
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return RegistryTree::fromJson(file.readAll());
}

void FileRegistryStore::write(const RegistryTree& tree) const {
    // Failures are not reported: the store stays as it was.
    writeFileAtomically(filePath_, tree.toJson());
}

}  // namespace tolvane
