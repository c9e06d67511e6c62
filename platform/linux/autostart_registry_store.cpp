#include "platform/linux/autostart_registry_store.h"

#include "core/atomic_file.h"
#include "core/desktop_entry.h"
#include "core/registry_paths.h"
#include "core/registry_tree.h"

#include <QFile>

namespace tolvane {

AutostartRegistryStore::AutostartRegistryStore(RegistryStore& inner, QString entryPath)
    : inner_(inner), entryPath_(std::move(entryPath)) {}

bool AutostartRegistryStore::isStartupValue(RegistryRoot root, const QString& path,
                                            const QString& name) {
    return root == RegistryRoot::LocalMachine && RegistryTree::sameKey(path, kRunKey) &&
           RegistryTree::sameName(name, kRunValue);
}

void AutostartRegistryStore::savestring(RegistryRoot root, const QString& path, const QString& name,
                                        const QString& text) {
    inner_.savestring(root, path, name, text);
    if (!isStartupValue(root, path, name))
        return;
    writeFileAtomically(entryPath_, autostartEntry(text).toUtf8());
}

std::optional<QString> AutostartRegistryStore::getstring(RegistryRoot root, const QString& path,
                                                         const QString& name) {
    return inner_.getstring(root, path, name);
}

void AutostartRegistryStore::DeleteValue(RegistryRoot root, const QString& path,
                                         const QString& name) {
    inner_.DeleteValue(root, path, name);
    if (isStartupValue(root, path, name))
        QFile::remove(entryPath_);
}

}  // namespace tolvane
