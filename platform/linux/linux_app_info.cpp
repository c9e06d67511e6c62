#include "platform/linux/linux_app_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tolvane {

LinuxAppInfo::LinuxAppInfo(const QString& lockPath, ProgramFiles files)
    : lock_(lockPath), files_(std::move(files)) {}

QString LinuxAppInfo::programPath() const {
    return QCoreApplication::applicationFilePath();
}

QString LinuxAppInfo::dataFolder() const {
    QString folder =
        files_.listFolder(QFileInfo(files_.programFolder()).isWritable(),
                          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QDir().mkpath(folder);
    return folder;
}

ProgramFiles programFilesIn(const QString& programFolder) {
    return ProgramFiles(programFolder, QStringLiteral(TOLVANE_PRIVATE_FOLDER),
                        QStringLiteral(TOLVANE_BUILD_FOLDER), [](const QString& path) {
                            const QFileInfo info(path);
                            return info.isFile() && info.isExecutable();
                        });
}

QIcon LinuxAppInfo::icon() const {
    if (icon_.isNull())
        icon_ = QIcon(QStringLiteral(":/tolvane/tolvane.svg"));
    return icon_;
}

}  // namespace tolvane
