#pragma once

#include "core/program_files.h"
#include "platform/app_info.h"
#include "platform/linux/instance_lock.h"

namespace tolvane {

class LinuxAppInfo : public AppInfo {
public:
    // lockPath names the file whose lock marks the running copy; files tells where the
    // program runs from.
    LinuxAppInfo(const QString& lockPath, ProgramFiles files);

    QString title() const override { return QStringLiteral("Tolvane"); }
    // The executable's absolute path as the system reports it.
    QString programPath() const override;
    // The executable's folder when it is writable and not an installation's, otherwise
    // "tolvane" in the user's data folder, made when missing.
    QString dataFolder() const override;
    QIcon icon() const override;
    bool prevInstance() const override { return !lock_.acquired(); }

private:
    InstanceLock lock_;
    ProgramFiles files_;
    // One icon for all who ask, so that each size is drawn once.
    mutable QIcon icon_;
};

// The files of a program that runs from the given folder: an installation's private folder and
// the build folder as this program was built to look for them.
ProgramFiles programFilesIn(const QString& programFolder);

}  // namespace tolvane
