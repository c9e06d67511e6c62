#pragma once

#include <QByteArray>

namespace tolvane {

// "text/html; charset=utf-8", the type of every page of the site.
inline QByteArray htmlContentType() {
    return QByteArrayLiteral("text/html; charset=utf-8");
}

struct HttpResponse {
    int status = 200;
    QByteArray contentType = htmlContentType();
    QByteArray body;
    QByteArray location;  // redirects only
    QByteArray allow;     // 405 only

    // HTTP/1.0 with Content-Length, and "Connection: close" (the connection ends with the
    // body) or "Connection: keep-alive" (it stays open for the client's next request).
    QByteArray toBytes(bool keepAlive = false) const;
};

// A small HTML page for a failed request, in the site's language, never empty.
HttpResponse errorResponse(int status);

QByteArray reasonPhrase(int status);

}  // namespace tolvane
