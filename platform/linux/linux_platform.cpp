#include "platform/linux/linux_platform.h"

#include "core/registry_paths.h"
#include "site/site_addresses.h"

#include <QCoreApplication>
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
    : LinuxPlatform(programFilesIn(QCoreApplication::applicationDirPath())) {}

LinuxPlatform::LinuxPlatform(const ProgramFiles& files)
    : fileRegistry_(configFolder() + QStringLiteral("/tolvane/registry.json")),
      registry_(fileRegistry_, configFolder() + QStringLiteral("/autostart/tolvane.desktop")),
      opener_(desktopOpener_, MakerSite::servedElsewhere() ? QString() : siteHost(kDefaultSitePort),
              [this] { return serveOwnSite(); }),
      app_(runtimeFolder() + QStringLiteral("/tolvane.lock"), files),
      messages_(app_.icon()),
      connection_(QDBusConnection::systemBus(), kernelRoutes_),
      site_(files.companionFolders()),
      webWindows_(files.companionProgram(kWebProgramName.toString()),
                  [this] { return siteForWebWindows(); }) {}

LinuxPlatform::~LinuxPlatform() = default;

QString LinuxPlatform::serveOwnSite() {
    SiteSettings settings = SiteSettings::fromEnvironment();
    // The user's own dictionary, unless this run names one in the environment.
    if (qEnvironmentVariableIsEmpty("TOLVANE_DICTIONARY_URL")) {
        const std::optional<QString> dictionary =
            registry_.getstring(RegistryRoot::LocalMachine, kVersionKey, kDictionaryValue);
        if (isPresent(dictionary))
            settings.dictionaryTemplate = *dictionary;
    }
    const quint16 port = site_.start(settings);
    return port == 0 ? QString() : siteHost(port);
}

QString LinuxPlatform::siteForWebWindows() {
    if (MakerSite::servedElsewhere())
        return {};
    return serveOwnSite();
}

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
            .clipboard = clipboard_,
            .connection = connection_,
            .power = power_,
            .webWindows = webWindows_,
            .site = MakerSite::fromEnvironment(siteHost(kDefaultSitePort))};
}

}  // namespace tolvane
