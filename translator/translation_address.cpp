#include "translator/translation_address.h"

namespace tolvane {

QString translationAddress(const QString& dictionaryAddress, const QString& word) {
    return dictionaryAddress + QStringLiteral("?layout=babylonhp.txt&word=") + word +
           QStringLiteral("&lang=heb");
}

bool isFailedPage(const QString& markup) {
    return markup.isEmpty() || markup.startsWith(u"<HEAD><TITLE>Cannot find server</TITLE>");
}

}  // namespace tolvane
