#pragma once

#include <QString>

namespace tolvane {

// The page that asks the conversion service for one conversion: a form that posts itself as
// soon as the page has loaded.

// The page's template, sixteen lines each ended by CR LF; its form posts to the given address.
QString requestPageTemplate(const QString& converterAddress);

// The template with the amount, the code to convert from and the code to convert to filled in,
// every other character as it stands, and without the template's final CR LF. An amount of
// letters, digits, ".", ",", "-" and "+" only is written as it stands, like the template's
// own values; any other amount is quoted and escaped, so that it reaches the service exactly
// as typed and can never become markup of the page.
QString buildRequestPage(const QString& pageTemplate, const QString& amount,
                         const QString& fromCode, const QString& toCode);

}  // namespace tolvane
