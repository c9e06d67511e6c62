#include "atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tolvane {

bool writeFileAtomically(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(contents);
    return file.commit();
}

}  // namespace tolvane
