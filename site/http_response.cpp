#include "site/http_response.h"

#include "site/joined_bytes.h"

#include <QString>

#include <array>
#include <charconv>

namespace tolvane {
namespace {

// The Hebrew sentence of an error page.
QString explanation(int status) {
    switch (status) {
        case 404:
            return QStringLiteral("הדף המבוקש אינו קיים באתר זה.");
        case 405:
            return QStringLiteral("הכתובת הזאת אינה מקבלת בקשה מסוג זה.");
        case 408:
            return QStringLiteral("הבקשה לא הגיעה בשלמותה בזמן, והחיבור נסגר.");
        case 411:
        case 413:
        case 414:
        case 431:
            return QStringLiteral("הבקשה גדולה מדי או חסר בה אורך התוכן.");
        case 415:
            return QStringLiteral("סוג התוכן שנשלח אינו נתמך.");
        case 500:
            return QStringLiteral("אירעה תקלה פנימית בשרת.");
        case 501:
        case 505:
            return QStringLiteral("השרת אינו תומך בצורת בקשה זו.");
        default:
            return QStringLiteral("הבקשה אינה תקינה.");
    }
}

}  // namespace

QByteArray reasonPhrase(int status) {
    switch (status) {
        case 200:
            return QByteArrayLiteral("OK");
        case 302:
            return QByteArrayLiteral("Found");
        case 400:
            return QByteArrayLiteral("Bad Request");
        case 404:
            return QByteArrayLiteral("Not Found");
        case 405:
            return QByteArrayLiteral("Method Not Allowed");
        case 408:
            return QByteArrayLiteral("Request Timeout");
        case 411:
            return QByteArrayLiteral("Length Required");
        case 413:
            return QByteArrayLiteral("Content Too Large");
        case 414:
            return QByteArrayLiteral("URI Too Long");
        case 415:
            return QByteArrayLiteral("Unsupported Media Type");
        case 431:
            return QByteArrayLiteral("Request Header Fields Too Large");
        case 500:
            return QByteArrayLiteral("Internal Server Error");
        case 501:
            return QByteArrayLiteral("Not Implemented");
        case 503:
            return QByteArrayLiteral("Service Unavailable");
        case 505:
            return QByteArrayLiteral("HTTP Version Not Supported");
        default:
            return QByteArrayLiteral("Error");
    }
}

QByteArray HttpResponse::toBytes(bool keepAlive) const {
    std::array<char, 8> code{};
    const char* codeEnd = std::to_chars(code.data(), code.data() + code.size(), status).ptr;
    std::array<char, 24> length{};
    const char* lengthEnd =
        std::to_chars(length.data(), length.data() + length.size(), body.size()).ptr;
    const bool redirect = !location.isEmpty();
    const bool restricted = !allow.isEmpty();
    return joinedBytes({"HTTP/1.0 ", QByteArrayView(code.data(), codeEnd), " ",
                        reasonPhrase(status), "\r\nContent-Type: ", contentType,
                        "\r\nContent-Length: ", QByteArrayView(length.data(), lengthEnd),
                        keepAlive ? "\r\nConnection: keep-alive" : "\r\nConnection: close",
                        "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n",
                        redirect ? "Location: " : "", location, redirect ? "\r\n" : "",
                        restricted ? "Allow: " : "", allow, restricted ? "\r\n" : "", "\r\n",
                        body});
}

HttpResponse errorResponse(int status) {
    const QString title =
        QString::number(status) + u' ' + QString::fromLatin1(reasonPhrase(status));
    const QString page = QStringLiteral(
                             "<!DOCTYPE html>\n<html dir=\"rtl\" lang=\"he\">\n<head><meta "
                             "charset=\"utf-8\"><title>%1</title></head>\n<body>\n<h1 "
                             "dir=\"ltr\">%1</h1>\n<p>%2</p>\n<p><a href=\"/\">לדף הבית של "
                             "Tolvane</a></p>\n</body>\n</html>\n")
                             .arg(title, explanation(status));
    return HttpResponse{status, htmlContentType(), page.toUtf8(), {}, {}};
}

}  // namespace tolvane
