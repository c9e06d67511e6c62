#include "core/maker_site.h"

#include <QtGlobal>

namespace tolvane {

MakerSite::MakerSite(QString host, QString converterHost, QString dictionaryHost)
    : host_(std::move(host)),
      converterHost_(converterHost.isEmpty() ? host_ : std::move(converterHost)),
      dictionaryHost_(dictionaryHost.isEmpty() ? host_ : std::move(dictionaryHost)) {}

MakerSite MakerSite::fromEnvironment(const QString& ownHost) {
    return MakerSite(servedElsewhere() ? qEnvironmentVariable("TOLVANE_SITE_HOST") : ownHost,
                     qEnvironmentVariable("TOLVANE_CONVERTER_HOST"),
                     qEnvironmentVariable("TOLVANE_DICTIONARY_HOST"));
}

bool MakerSite::servedElsewhere() {
    return !qEnvironmentVariableIsEmpty("TOLVANE_SITE_HOST");
}

}  // namespace tolvane
