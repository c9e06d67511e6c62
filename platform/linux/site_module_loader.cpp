#include "platform/linux/site_module_loader.h"

namespace tolvane {

SiteModuleLoader::SiteModuleLoader(QStringList folders) : folders_(std::move(folders)) {}

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
    for (const QString& folder : folders_) {
        module_.setFileName(folder + u'/' + name);
        if (!module_.load())
            continue;
        start_ = reinterpret_cast<StartSiteFunction>(module_.resolve("tolvaneStartSite"));
        stop_ = reinterpret_cast<StopSiteFunction>(module_.resolve("tolvaneStopSite"));
        if (start_ && stop_)
            return true;
        start_ = nullptr;
        stop_ = nullptr;
        module_.unload();
    }
    qWarning("Tolvane: the site's module %s could not be loaded", kSiteModuleName);
    return false;
}

}  // namespace tolvane
