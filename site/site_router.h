#pragma once

#include "site/dictionary_link.h"
#include "site/http_request.h"
#include "site/http_response.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tolvane {

class RateService;

// Turns a complete request into the site's answer: the maker's pages, the converter and the
// dictionary redirect. Reads only its own resources, whatever the request says.
class SiteRouter {
public:
    SiteRouter(RateService& rates, DictionaryLink dictionary);

    HttpResponse respond(const HttpRequest& request);

private:
    HttpResponse converter(const HttpRequest& request);
    HttpResponse dictionaryRedirect(const HttpRequest& request) const;

    RateService& rates_;
    DictionaryLink dictionary_;
    // The maker's pages, read once.
    QHash<QString, QByteArray> pages_;
};

}  // namespace tolvane
