#pragma once

#include "site/site_module.h"

#include <QLibrary>

namespace tolvane {

// Loads the site's module on first use, from beside the program or else from the folder it
// was built in, and starts the site through it. The site stops when this object goes.
class SiteModuleLoader {
public:
    SiteModuleLoader() = default;
    ~SiteModuleLoader();
    SiteModuleLoader(const SiteModuleLoader&) = delete;
    SiteModuleLoader& operator=(const SiteModuleLoader&) = delete;

    // The port the site listens on; 0 when the module or a port could not be had.
    quint16 start(const SiteSettings& settings);

private:
    bool load();

    QLibrary module_;
    StartSiteFunction start_ = nullptr;
    StopSiteFunction stop_ = nullptr;
};

}  // namespace tolvane
