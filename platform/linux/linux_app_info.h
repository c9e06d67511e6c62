#pragma once

#include "platform/app_info.h"
#include "platform/linux/instance_lock.h"

namespace tolvane {

class LinuxAppInfo : public AppInfo {
public:
    // lockPath names the file whose lock marks the running copy.
    explicit LinuxAppInfo(const QString& lockPath);

    QString title() const override { return QStringLiteral("Tolvane"); }
    // The executable's absolute path as the system reports it.
    QString programPath() const override;
    // The executable's folder when it is writable, otherwise the user's data folder.
    QString dataFolder() const override;
    QIcon icon() const override;
    bool prevInstance() const override { return !lock_.acquired(); }

private:
    InstanceLock lock_;
};

}  // namespace tolvane
