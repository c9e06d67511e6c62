#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

namespace tolvane {

struct HttpRequest {
    QByteArray method;
    QByteArray path;                               // as sent, before any "?"
    QByteArray query;                              // after the "?", without it
    QList<QPair<QByteArray, QByteArray>> headers;  // names in lower case
    QByteArray body;
    int minorVersion = 1;  // HTTP/1.x

    // The first header of that (lower-case) name; null when there is none.
    QByteArray header(QByteArrayView name) const;
    // Whether the client asks to keep the connection for another request: HTTP/1.1 unless it
    // says "Connection: close", HTTP/1.0 only when it says "Connection: keep-alive".
    bool wantsKeepAlive() const;
};

// Reads one HTTP/1.x request as its bytes arrive, in pieces of any size. Every limit is checked
// while reading, so a client can never make it hold more than a few tens of kilobytes.
class HttpRequestParser {
public:
    enum class State { Incomplete, Complete, Failed };

    static constexpr qsizetype kMaxHeadSize = qsizetype{16} * 1024;
    static constexpr qsizetype kMaxTargetSize = qsizetype{4} * 1024;
    static constexpr int kMaxHeaderCount = 64;
    static constexpr qsizetype kMaxBodySize = qsizetype{16} * 1024;

    State feed(QByteArrayView bytes);
    State state() const { return state_; }
    // Complete state only.
    const HttpRequest& request() const { return request_; }
    // Failed state only: the status to answer with (400, 411, 413, 414, 431, 501, 505).
    int failureStatus() const { return failureStatus_; }
    // Whether bytes came that are not part of the request: a pipelined next request, or more
    // than a failed request let be read. They are not kept.
    bool hasExcess() const { return excess_; }

private:
    State fail(int status);
    State parseHead(QByteArrayView head);
    State takeBody();

    State state_ = State::Incomplete;
    bool headDone_ = false;
    qsizetype bodySize_ = 0;
    QByteArray buffer_;
    HttpRequest request_;
    int failureStatus_ = 0;
    bool excess_ = false;
};

}  // namespace tolvane
