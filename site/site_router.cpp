#include "site/site_router.h"

#include "site/conversion_page.h"
#include "site/form_decoding.h"
#include "site/site_addresses.h"

#include <QFile>
#include <QString>

namespace tolvane {
namespace {

// The maker's pages, each a resource of its own; the request never names a file.
QString pageResource(const QByteArray& path) {
    const QString pathText = QString::fromLatin1(path);
    if (pathText == site_paths::kHome) {
        return QStringLiteral(":/tolvane/site/pages/index.html");
    }
    if (pathText == site_paths::kSupport) {
        return QStringLiteral(":/tolvane/site/pages/support.html");
    }
    if (pathText == site_paths::kContact) {
        return QStringLiteral(":/tolvane/site/pages/contact.html");
    }
    return {};
}

HttpResponse methodNotAllowed(QByteArray allowed) {
    HttpResponse response = errorResponse(405);
    response.allow = std::move(allowed);
    return response;
}

bool isFormEncoded(const QByteArray& contentType) {
    const QByteArray mediaType = contentType.split(';').first().trimmed().toLower();
    return mediaType.isEmpty() || mediaType == "application/x-www-form-urlencoded";
}

}  // namespace

SiteRouter::SiteRouter(RateService& rates, DictionaryLink dictionary)
    : rates_(rates), dictionary_(std::move(dictionary)) {}

HttpResponse SiteRouter::respond(const HttpRequest& request) {
    const QString path = QString::fromLatin1(request.path);
    if (path == site_paths::kConverter) {
        return request.method == "POST" ? converter(request) : methodNotAllowed("POST");
    }
    if (path == site_paths::kDictionary) {
        return request.method == "GET" ? dictionaryRedirect(request) : methodNotAllowed("GET");
    }
    const QString resource = pageResource(request.path);
    if (resource.isEmpty()) {
        return errorResponse(404);
    }
    if (request.method != "GET") {
        return methodNotAllowed("GET");
    }
    auto page = pages_.constFind(resource);
    if (page == pages_.cend()) {
        QFile file(resource);
        if (!file.open(QIODevice::ReadOnly)) {
            return errorResponse(500);
        }
        page = pages_.insert(resource, file.readAll());
    }
    return HttpResponse{200, "text/html; charset=utf-8", *page, {}, {}};
}

HttpResponse SiteRouter::converter(const HttpRequest& request) {
    if (!isFormEncoded(request.header("content-type"))) {
        return errorResponse(415);
    }
    const auto fields = decodeForm(request.body);
    if (!fields) {
        return errorResponse(400);
    }
    return conversionResponse(*fields, rates_);
}

HttpResponse SiteRouter::dictionaryRedirect(const HttpRequest& request) const {
    // The translator window puts the word into the address as typed: a "%" that escapes
    // nothing is the word's own and goes on as "%25".
    const auto fields = decodeForm(request.query, StrayPercent::Literal);
    if (!fields) {
        return errorResponse(400);
    }
    const QByteArray target = dictionary_.addressFor(formField(*fields, u"word"));
    const QString page = QStringLiteral(
                             "<!DOCTYPE html>\n<html dir=\"rtl\" lang=\"he\">\n<head><meta "
                             "charset=\"utf-8\"><title>מילון</title></head>\n<body>\n<p><a "
                             "href=\"%1\">למילון</a></p>\n</body>\n</html>\n")
                             .arg(QString::fromLatin1(target).toHtmlEscaped());
    return HttpResponse{302, "text/html; charset=utf-8", page.toUtf8(), target, {}};
}

}  // namespace tolvane
