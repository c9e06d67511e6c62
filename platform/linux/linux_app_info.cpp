#include "platform/linux/linux_app_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tolvane {

LinuxAppInfo::LinuxAppInfo(const QString& lockPath) : lock_(lockPath) {}

QString LinuxAppInfo::programPath() const {
    return QCoreApplication::applicationFilePath();
}

QString LinuxAppInfo::dataFolder() const {
    QString folder = QCoreApplication::applicationDirPath();
    if (QFileInfo(folder).isWritable())
        return folder;
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/tolvane");
    QDir().mkpath(data);
    return data;
}

QIcon LinuxAppInfo::icon() const {
    return QIcon(QStringLiteral(":/tolvane/tolvane.svg"));
}

}  // namespace tolvane
