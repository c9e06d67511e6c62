#include "site/site_module.h"

#include "site/site_server.h"

#include <memory>

namespace {

std::unique_ptr<tolvane::SiteServer>& runningSite() {
    static std::unique_ptr<tolvane::SiteServer> site;
    return site;
}

}  // namespace

quint16 tolvaneStartSite(const tolvane::SiteSettings* settings) {
    std::unique_ptr<tolvane::SiteServer>& site = runningSite();
    if (!site)
        site = std::make_unique<tolvane::SiteServer>(*settings);
    return site->ensureStarted();
}

void tolvaneStopSite() {
    runningSite().reset();
}
