#include "site/site_module.h"

#include "site/site_thread.h"

#include <memory>

namespace {

std::unique_ptr<tolvane::SiteThread>& runningSite() {
    static std::unique_ptr<tolvane::SiteThread> site;
    return site;
}

}  // namespace

quint16 tolvaneStartSite(const tolvane::SiteSettings* settings) {
    std::unique_ptr<tolvane::SiteThread>& site = runningSite();
    if (!site)
        site = std::make_unique<tolvane::SiteThread>(*settings);
    return site->ensureStarted();
}

void tolvaneStopSite() {
    runningSite().reset();
}
