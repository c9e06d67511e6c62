#pragma once

#include "site/http_request.h"
#include "site/http_response.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

class QSocketNotifier;

namespace tolvane {

// The site's sockets: listens on 127.0.0.1 and answers the requests of each connection, on the
// event loop of the thread it lives in. It works on the sockets themselves, through one epoll
// set: a client that half-closes after its request still gets the whole answer (QTcpSocket
// takes the end of the client's data for the end of the connection), and many clients cost no
// more than a few. A client that asks for it keeps its connection for its next request.
//
// No connection is ever dropped without an answer. Over the connection limit, new clients wait
// in the listen backlog until a connection ends, and no connection is kept open after its
// answer; when clients are waiting there, the connection that has waited longest for a request
// makes room once it has waited the idle grace (a request begun is answered 408; a kept
// connection between requests is closed), so that idle connections cannot lock others out.
class SiteListener : public QObject {
    Q_OBJECT
public:
    using Responder = std::function<HttpResponse(const HttpRequest&)>;
    struct Limits {
        int maxConnections = 512;
        // A client gets this long to send its whole request.
        std::chrono::milliseconds requestTimeout{10000};
        // How long an incomplete request may hold its place while others wait for one.
        std::chrono::milliseconds idleGrace{1000};
    };

    SiteListener(Responder responder, Limits limits, QObject* parent = nullptr);
    ~SiteListener() override;
    SiteListener(const SiteListener&) = delete;
    SiteListener& operator=(const SiteListener&) = delete;

    // Listens on the preferred port, or on a free one when that is taken. The port, or 0 when
    // no port could be had at all (tried again on the next call).
    quint16 listen(quint16 preferredPort);
    bool isListening() const { return listening_ >= 0; }
    QHostAddress address() const;
    int openConnections() const { return static_cast<int>(connections_.size()); }

private:
    using Clock = std::chrono::steady_clock;
    struct Connection;

    void processEvents();
    void acceptWaiting();
    void watchListening(bool whileFull);
    void readRequest(Connection& connection);
    void answer(Connection& connection, const HttpResponse& response, bool keepAlive = false);
    void writeAnswer(Connection& connection);
    void awaitNextRequest(Connection& connection);
    void giveUp(Connection& connection);
    void watch(Connection& connection, std::uint32_t events);
    void drain(Connection& connection);
    void close(Connection& connection);
    void evictIdle();
    void expireDeadlines();
    void wakeAt(Clock::time_point when);

    Responder responder_;
    Limits limits_;
    int epoll_ = -1;
    int listening_ = -1;
    QSocketNotifier* ready_ = nullptr;
    QTimer timer_;
    Clock::time_point nextWake_;
    std::unordered_map<int, std::unique_ptr<Connection>> connections_;
    quint32 serial_ = 0;
    // At the limit, with clients waiting in the backlog.
    bool full_ = false;
    bool othersWaiting_ = false;
};

}  // namespace tolvane
