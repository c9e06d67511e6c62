#pragma once

#include "site/form_decoding.h"
#include "site/http_response.h"

namespace tolvane {

class RateService;

// The answer to the converter form (fields "value", "exch" = from, "expr" = to): an English
// page whose one result line stands between "<P><BIG>" and "</BIG>", either
// "250 GBP = 286.43 EUR (ECB reference rate of 2026-02-20)" or why there is no result. A
// conversion needing no market rate (a currency against itself, an old code against its
// successor) names no source: it is exact.
HttpResponse conversionResponse(const UrlEncodedForm& form, RateService& rates);

// The text between the markers, for the form's three fields as decoded.
QString conversionLine(QStringView value, QStringView from, QStringView to, RateService& rates);

}  // namespace tolvane
