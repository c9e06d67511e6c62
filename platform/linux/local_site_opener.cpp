#include "platform/linux/local_site_opener.h"

#include "core/local_site_target.h"

namespace tolvane {

LocalSiteOpener::LocalSiteOpener(DocumentOpener& inner, QString usualHost,
                                 std::function<QString()> serve)
    : inner_(inner), usualHost_(std::move(usualHost)), serve_(std::move(serve)) {}

void LocalSiteOpener::ShellDef(const QString& target) {
    if (!namesLocalSite(target, usualHost_)) {
        inner_.ShellDef(target);
        return;
    }
    const QString actualHost = serve_();
    inner_.ShellDef(actualHost.isEmpty() ? target
                                         : retargetLocalSite(target, usualHost_, actualHost));
}

}  // namespace tolvane
