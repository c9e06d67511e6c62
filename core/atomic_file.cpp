#include "core/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tolvane {
namespace {

// A file without any write permission is kept as it is, even for a user whom the system
// would let through; the replacement would otherwise slip past it through the folder.
bool isWriteProtected(const QString& path) {
    const QFileInfo info(path);
    return info.exists() &&
           !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// The file a save replaces: the one a symbolic link leads to, so that the link stays a link.
QFileInfo replacedFile(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? QFileInfo(path) : info;
}

// The new version is written whole under this name beside the file and then renamed over it.
// A save killed before the rename leaves it behind, or, where the file system has no unnamed
// temporary files, a temporary file whose name begins with it; the next save clears both.
// No file of the user's is named so.
QString stagingName(const QString& fileName) {
    return u'.' + fileName + QStringLiteral(".tolvane-new");
}

void removeLeftovers(const QDir& folder, const QString& staging) {
    const QStringList names = folder.entryList({staging, staging + QStringLiteral(".*")},
                                               QDir::Files | QDir::Hidden | QDir::System |
                                                   QDir::CaseSensitive);
    for (const QString& name : names)
        QFile::remove(folder.filePath(name));
}

bool writeWhole(const QString& path, const QByteArray& contents) {
    // Unbuffered, so that a full disk fails the write itself: a failed flush inside the
    // commit would go unnoticed and commit a short file. A short write is a failed one, and
    // so is a sync refused for any reason but that the file system cannot sync.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(contents) != contents.size() ||
        (::fdatasync(file.handle()) != 0 && errno != EINVAL)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& contents) {
    if (isWriteProtected(path))
        return false;
    const QFileInfo replaced = replacedFile(path);
    const QDir folder = replaced.absoluteDir();
    QDir().mkpath(folder.path());
    const QString staging = stagingName(replaced.fileName());
    removeLeftovers(folder, staging);

    const QString stagingPath = folder.filePath(staging);
    if (!writeWhole(stagingPath, contents))
        return false;
    if (replaced.exists())
        QFile::setPermissions(stagingPath, replaced.permissions());
    if (std::rename(QFile::encodeName(stagingPath).constData(),
                    QFile::encodeName(replaced.absoluteFilePath()).constData()) != 0) {
        QFile::remove(stagingPath);
        return false;
    }
    return true;
}

}  // namespace tolvane
