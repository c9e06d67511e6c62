#include "autostart_registry_store.h"

#include "desktop_entry.h"
#include "registry_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tolvane {

AutostartRegistryStore::AutostartRegistryStore(RegistryStore& inner, QString entryPath)
    : inner_(inner), entryPath_(std::move(entryPath)) {}

bool AutostartRegistryStore::isStartupValue(RegistryRoot root, const QString& path,
                                            const QString& name) {
    QString key = path;
    if (key.endsWith(u'\\'))
        key.chop(1);
    return root == RegistryRoot::LocalMachine && key.compare(kRunKey, Qt::CaseInsensitive) == 0 &&
           name.compare(kRunValue, Qt::CaseInsensitive) == 0;
}

void AutostartRegistryStore::savestring(RegistryRoot root, const QString& path, const QString& name,
                                        const QString& text) {
    inner_.savestring(root, path, name, text);
    if (!isStartupValue(root, path, name))
        return;
    QDir().mkpath(QFileInfo(entryPath_).absolutePath());
    QSaveFile entry(entryPath_);
    if (entry.open(QIODevice::WriteOnly)) {
        entry.write(autostartEntry(text).toUtf8());
        entry.commit();
    }
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
