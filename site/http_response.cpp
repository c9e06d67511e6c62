#include "site/http_response.h"

#include <QString>

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
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 408:
            return "Request Timeout";
        case 411:
            return "Length Required";
        case 413:
            return "Content Too Large";
        case 414:
            return "URI Too Long";
        case 415:
            return "Unsupported Media Type";
        case 431:
            return "Request Header Fields Too Large";
        case 500:
            return "Internal Server Error";
        case 501:
            return "Not Implemented";
        case 503:
            return "Service Unavailable";
        case 505:
            return "HTTP Version Not Supported";
        default:
            return "Error";
    }
}

QByteArray HttpResponse::toBytes(bool keepAlive) const {
    QByteArray bytes;
    bytes.reserve(256 + location.size() + allow.size() + body.size());
    bytes.append("HTTP/1.0 ")
        .append(QByteArray::number(status))
        .append(' ')
        .append(reasonPhrase(status))
        .append("\r\nContent-Type: ")
        .append(contentType)
        .append("\r\nContent-Length: ")
        .append(QByteArray::number(body.size()))
        .append(keepAlive ? "\r\nConnection: keep-alive" : "\r\nConnection: close")
        .append("\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n");
    if (!location.isEmpty()) {
        bytes.append("Location: ").append(location).append("\r\n");
    }
    if (!allow.isEmpty()) {
        bytes.append("Allow: ").append(allow).append("\r\n");
    }
    return bytes.append("\r\n").append(body);
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
    return HttpResponse{status, "text/html; charset=utf-8", page.toUtf8(), {}, {}};
}

}  // namespace tolvane
