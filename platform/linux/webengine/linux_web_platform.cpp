#include "platform/linux/webengine/linux_web_platform.h"

#include <QStandardPaths>

namespace tolvane {
namespace {

QString configFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// The runtime folder only when the session has one: QStandardPaths makes one up otherwise.
QString sessionRuntimeFolder() {
    return qEnvironmentVariable("XDG_RUNTIME_DIR");
}

}  // namespace

LinuxWebPlatform::LinuxWebPlatform()
    : registry_(configFolder() + QStringLiteral("/tolvane/registry.json")),
      views_(messages_, QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)),
      files_(sessionRuntimeFolder()) {}

WebPlatform LinuxWebPlatform::services(const MakerSite& site) {
    return {.messages = messages_,
            .program = program_,
            .registry = registry_,
            .views = views_,
            .files = files_,
            .title = QStringLiteral("Tolvane"),
            .site = site};
}

}  // namespace tolvane
