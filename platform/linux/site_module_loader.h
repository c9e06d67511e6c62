#pragma once

#include "site/site_module.h"

#include <QLibrary>
#include <QStringList>

namespace tolvane {

// Loads the site's module on first use, from the first of the given folders that has a
// loadable one, and starts the site through it. The site stops when this object goes.
class SiteModuleLoader {
public:
    explicit SiteModuleLoader(QStringList folders);
    ~SiteModuleLoader();
    SiteModuleLoader(const SiteModuleLoader&) = delete;
    SiteModuleLoader& operator=(const SiteModuleLoader&) = delete;

    // The port the site listens on; 0 when the module or a port could not be had.
    quint16 start(const SiteSettings& settings);

private:
    bool load();

    QStringList folders_;
    QLibrary module_;
    StartSiteFunction start_ = nullptr;
    StopSiteFunction stop_ = nullptr;
};

}  // namespace tolvane
