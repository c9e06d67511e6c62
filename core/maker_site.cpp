#include "core/maker_site.h"

#include <QtGlobal>

namespace tolvane {

MakerSite MakerSite::fromEnvironment() {
    const QString host = qEnvironmentVariable("TOLVANE_SITE_HOST");
    return MakerSite(host.isEmpty() ? QStringLiteral("www.tolvane.co.il") : host);
}

}  // namespace tolvane
