#pragma once

#include <QByteArray>

namespace tolvane {

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QByteArray location;  // redirects only
    QByteArray allow;     // 405 only

    // HTTP/1.0 with Connection: close: one request per connection, the end of the body is
    // where the connection ends (and Content-Length says so too).
    QByteArray toBytes() const;
};

// A small HTML page for a failed request, in the site's language, never empty.
HttpResponse errorResponse(int status);

QByteArray reasonPhrase(int status);

}  // namespace tolvane
