#include "platform/linux/site_module_loader.h"

#include <QCoreApplication>

namespace tolvane {

SiteModuleLoader::~SiteModuleLoader() {
    if (stop_)
        stop_();
}

quint16 SiteModuleLoader::start(const SiteSettings& settings) {
    if (!start_ && !load())
        return 0;
    return start_(&settings);
}

bool SiteModuleLoader::load() {
    const QString name = QString::fromLatin1(kSiteModuleName);
    for (const QString& folder :
         {QCoreApplication::applicationDirPath(), QStringLiteral(TOLVANE_SITE_MODULE_DIR)}) {
        module_.setFileName(folder + u'/' + name);
        if (!module_.load())
            continue;
        start_ = reinterpret_cast<StartSiteFunction>(module_.resolve("tolvaneStartSite"));
        stop_ = reinterpret_cast<StopSiteFunction>(module_.resolve("tolvaneStopSite"));
        if (start_ && stop_)
            return true;
        start_ = nullptr;
        stop_ = nullptr;
    }
    qWarning("Tolvane: the site's module %s could not be loaded", kSiteModuleName);
    return false;
}

}  // namespace tolvane
