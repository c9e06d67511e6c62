#include "core/maker_site.h"

#include <QtGlobal>

namespace tolvane {

MakerSite MakerSite::fromEnvironment(const QString& ownHost) {
    return MakerSite(servedElsewhere() ? qEnvironmentVariable("TOLVANE_SITE_HOST") : ownHost);
}

bool MakerSite::servedElsewhere() {
    return !qEnvironmentVariableIsEmpty("TOLVANE_SITE_HOST");
}

}  // namespace tolvane
