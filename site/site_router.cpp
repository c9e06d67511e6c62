#include "site/site_router.h"

#include "site/conversion_page.h"
#include "site/form_decoding.h"
#include "site/site_addresses.h"

#include <QFile>
#include <QString>

#include <algorithm>

namespace tolvane {
namespace {

// The maker's pages, each a resource of its own; the request never names a file.
QString pageResource(QLatin1String path) {
    if (path == site_paths::kHome) {
        return QStringLiteral(":/tolvane/site/pages/index.html");
    }
    if (path == site_paths::kSupport) {
        return QStringLiteral(":/tolvane/site/pages/support.html");
    }
    if (path == site_paths::kContact) {
        return QStringLiteral(":/tolvane/site/pages/contact.html");
    }
    return {};
}

HttpResponse methodNotAllowed(QByteArray allowed) {
    HttpResponse response = errorResponse(405);
    response.allow = std::move(allowed);
    return response;
}

bool isFormEncoded(QByteArrayView contentType) {
    static constexpr QByteArrayView kForm = "application/x-www-form-urlencoded";
    const qsizetype parameters = contentType.indexOf(';');
    const QByteArrayView mediaType =
        (parameters < 0 ? contentType : contentType.first(parameters)).trimmed();
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return mediaType.isEmpty() ||
           std::equal(mediaType.begin(), mediaType.end(), kForm.begin(), kForm.end(),
                      [&lower](char a, char b) { return lower(a) == b; });
}

}  // namespace

SiteRouter::SiteRouter(RateService& rates, DictionaryLink dictionary)
    : rates_(rates), dictionary_(std::move(dictionary)) {}

HttpResponse SiteRouter::respond(const HttpRequest& request) {
    const QLatin1String path(request.path);
    if (path == site_paths::kConverter) {
        return request.method == "POST" ? converter(request) : methodNotAllowed("POST");
    }
    if (path == site_paths::kDictionary) {
        return request.method == "GET" ? dictionaryRedirect(request) : methodNotAllowed("GET");
    }
    const QString resource = pageResource(path);
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
    return HttpResponse{200, htmlContentType(), *page, {}, {}};
}

HttpResponse SiteRouter::converter(const HttpRequest& request) {
    if (!isFormEncoded(request.header("content-type"))) {
        return errorResponse(415);
    }
    const auto form = UrlEncodedForm::read(request.body);
    if (!form) {
        return errorResponse(400);
    }
    return conversionResponse(*form, rates_);
}

HttpResponse SiteRouter::dictionaryRedirect(const HttpRequest& request) const {
    // The translator window puts the word into the address as typed: a "%" that escapes
    // nothing is the word's own and goes on as "%25".
    const auto form = UrlEncodedForm::read(request.query, StrayPercent::Literal);
    if (!form) {
        return errorResponse(400);
    }
    const QByteArray target = dictionary_.addressFor(form->field(u"word"));
    const QString page = QStringLiteral(
                             "<!DOCTYPE html>\n<html dir=\"rtl\" lang=\"he\">\n<head><meta "
                             "charset=\"utf-8\"><title>מילון</title></head>\n<body>\n<p><a "
                             "href=\"%1\">למילון</a></p>\n</body>\n</html>\n")
                             .arg(QString::fromLatin1(target).toHtmlEscaped());
    return HttpResponse{302, htmlContentType(), page.toUtf8(), target, {}};
}

}  // namespace tolvane
