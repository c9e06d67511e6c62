#include "core/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tolvane {
namespace {

// A file without any write permission is kept as it is, even for a user whom the system
// would let through; the replacement would otherwise slip past it through the folder.
bool isWriteProtected(const QString& path) {
    const QFileInfo info(path);
    return info.exists() &&
           !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& contents) {
    if (isWriteProtected(path))
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(contents);
    return file.commit();
}

}  // namespace tolvane
