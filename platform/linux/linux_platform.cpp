#include "platform/linux/linux_platform.h"

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
    : fileRegistry_(configFolder() + QStringLiteral("/tolvane/registry.json")),
      registry_(fileRegistry_, configFolder() + QStringLiteral("/autostart/tolvane.desktop")),
      app_(runtimeFolder() + QStringLiteral("/tolvane.lock")) {}

Platform LinuxPlatform::services() {
    return {.registry = registry_,
            .opener = opener_,
            .messages = messages_,
            .app = app_,
            .tray = tray_,
            .program = program_,
            .clock = clock_,
            .files = files_,
            .codePage = codePage_,
            .site = MakerSite::fromEnvironment()};
}

}  // namespace tolvane
