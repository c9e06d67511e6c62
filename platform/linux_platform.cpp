#include "linux_platform.h"

#include <QStandardPaths>

namespace tolvane {
namespace {

QString configFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString runtimeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

}  // namespace

LinuxPlatform::LinuxPlatform()
    : fileRegistry_(configFolder() + "/tolvane/registry.json"),
      registry_(fileRegistry_, configFolder() + "/autostart/tolvane.desktop"),
      app_(runtimeFolder() + "/tolvane.lock") {}

Platform LinuxPlatform::services() {
    return {registry_, opener_, messages_, app_,      tray_,
            program_,  clock_,  files_,    codePage_, MakerSite::fromEnvironment()};
}

}  // namespace tolvane
