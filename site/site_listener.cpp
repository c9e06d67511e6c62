#include "site/site_listener.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace tolvane {
namespace {

constexpr int kBadRequest = 400;
constexpr int kRequestTimeout = 408;
// How long a client may take to read the answer and close.
constexpr std::chrono::seconds kLinger{2};
// Waiting clients queue in the kernel; it caps this at net.core.somaxconn.
constexpr int kBacklog = 1024;
constexpr int kEventsPerRound = 64;
// Clients keep arriving under load: accepting them all before serving those already in would
// starve the ones whose request came a moment after their connection.
constexpr int kAcceptsPerRound = 4;
constexpr std::size_t kReadChunk = std::size_t{16} * 1024;
// When accepting fails for want of descriptors or memory, it is tried again this much later.
constexpr std::chrono::milliseconds kAcceptRetry{100};

// An epoll entry names its connection by descriptor and serial number: a descriptor closed and
// reused within one round of events must not be taken for the new connection.
std::uint64_t tag(int descriptor, quint32 serial) {
    return (std::uint64_t{serial} << 32U) | static_cast<std::uint32_t>(descriptor);
}

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

}  // namespace

struct SiteListener::Connection {
    enum class Phase { Reading, Writing, Draining };
    int descriptor = -1;
    quint32 serial = 0;
    Phase phase = Phase::Reading;
    HttpRequestParser parser;
    bool receivedAny = false;  // of the request awaited
    bool servedAny = false;    // an earlier request on the same connection
    bool keepAlive = false;    // the answer being sent leaves the connection open
    bool peerClosed = false;
    std::uint32_t watched = 0;  // the events asked of the epoll set; none: not in it
    QByteArray answer;
    qsizetype sent = 0;
    Clock::time_point waitingSince;  // for the request awaited
    Clock::time_point deadline;
};

SiteListener::SiteListener(Responder responder, Limits limits, QObject* parent)
    : QObject(parent), responder_(std::move(responder)), limits_(limits) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SiteListener::expireDeadlines);
}

SiteListener::~SiteListener() {
    delete ready_;
    for (const auto& [descriptor, connection] : connections_) {
        ::close(descriptor);
    }
    if (listening_ >= 0) {
        ::close(listening_);
    }
    if (epoll_ >= 0) {
        ::close(epoll_);
    }
}

quint16 SiteListener::listen(quint16 preferredPort) {
    if (listening_ < 0) {
        if (epoll_ < 0) {
            epoll_ = epoll_create1(EPOLL_CLOEXEC);
            if (epoll_ < 0) {
                return 0;
            }
            ready_ = new QSocketNotifier(epoll_, QSocketNotifier::Read);
            connect(ready_, &QSocketNotifier::activated, this, &SiteListener::processEvents);
        }
        for (const quint16 port : {preferredPort, quint16{0}}) {
            const int descriptor = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            const int reuse = 1;
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(port);
            // Loopback only: nothing of the site is for other machines.
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (descriptor >= 0 &&
                setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) == 0 &&
                bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                ::listen(descriptor, kBacklog) == 0) {
                listening_ = descriptor;
                break;
            }
            if (descriptor >= 0) {
                ::close(descriptor);
            }
        }
        if (listening_ < 0) {
            return 0;
        }
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = tag(listening_, 0);
        epoll_ctl(epoll_, EPOLL_CTL_ADD, listening_, &event);
    }
    sockaddr_in bound{};
    socklen_t size = sizeof bound;
    getsockname(listening_, reinterpret_cast<sockaddr*>(&bound), &size);
    return ntohs(bound.sin_port);
}

QHostAddress SiteListener::address() const {
    if (listening_ < 0) {
        return {};
    }
    sockaddr_in bound{};
    socklen_t size = sizeof bound;
    getsockname(listening_, reinterpret_cast<sockaddr*>(&bound), &size);
    return QHostAddress(ntohl(bound.sin_addr.s_addr));
}

void SiteListener::processEvents() {
    std::array<epoll_event, kEventsPerRound> events{};
    const int count = epoll_wait(epoll_, events.data(), kEventsPerRound, 0);
    for (int i = 0; i < count; ++i) {
        const auto descriptor = static_cast<int>(events[i].data.u64 & 0xffffffffU);
        const auto serial = static_cast<quint32>(events[i].data.u64 >> 32U);
        if (descriptor == listening_) {
            if (full_) {
                othersWaiting_ = true;
                evictIdle();
            } else {
                acceptWaiting();
            }
            continue;
        }
        const auto found = connections_.find(descriptor);
        if (found == connections_.end() || found->second->serial != serial) {
            continue;  // closed earlier in this round
        }
        Connection& connection = *found->second;
        if ((events[i].events & EPOLLERR) != 0) {
            close(connection);
            continue;
        }
        switch (connection.phase) {
            case Connection::Phase::Reading:
                readRequest(connection);
                break;
            case Connection::Phase::Writing:
                writeAnswer(connection);
                break;
            case Connection::Phase::Draining:
                drain(connection);
                break;
        }
    }
}

void SiteListener::watchListening(bool whileFull) {
    // While full, only the first client to wait is wanted: it is the sign to make room.
    epoll_event event{};
    event.events = whileFull ? EPOLLIN | EPOLLONESHOT : EPOLLIN;
    event.data.u64 = tag(listening_, 0);
    epoll_ctl(epoll_, EPOLL_CTL_MOD, listening_, &event);
}

void SiteListener::acceptWaiting() {
    for (int accepted = 0; openConnections() < limits_.maxConnections; ++accepted) {
        if (accepted == kAcceptsPerRound) {
            return;  // the rest next round, after the others' events
        }
        const int descriptor =
            accept4(listening_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (descriptor < 0) {
            if (errno == EINTR || errno == ECONNABORTED || errno == EPROTO) {
                continue;
            }
            if (!wouldBlock()) {
                // Out of descriptors or memory: the clients keep waiting in the backlog.
                epoll_event none{};
                none.data.u64 = tag(listening_, 0);
                epoll_ctl(epoll_, EPOLL_CTL_MOD, listening_, &none);
                QTimer::singleShot(kAcceptRetry, this, [this] {
                    if (!full_ && listening_ >= 0) {
                        watchListening(false);
                    }
                });
            }
            return;
        }
        auto connection = std::make_unique<Connection>();
        connection->descriptor = descriptor;
        connection->serial = ++serial_;
        connection->waitingSince = Clock::now();
        connection->deadline = connection->waitingSince + limits_.requestTimeout;
        Connection& added = *connection;
        connections_.emplace(descriptor, std::move(connection));
        wakeAt(added.deadline);
        // Most clients send their request with the connection: it is answered at once, and
        // only one that keeps the site waiting is watched.
        readRequest(added);
    }
    full_ = true;
    othersWaiting_ = false;
    watchListening(true);
}

void SiteListener::readRequest(Connection& connection) {
    std::array<char, kReadChunk> chunk;  // filled by read(): not worth clearing
    while (connection.parser.state() == HttpRequestParser::State::Incomplete &&
           !connection.peerClosed) {
        const ssize_t received = ::read(connection.descriptor, chunk.data(), chunk.size());
        if (received > 0) {
            connection.receivedAny = true;
            connection.parser.feed(QByteArrayView(chunk.data(), received));
        } else if (received == 0) {
            connection.peerClosed = true;
        } else if (errno == EINTR) {
            continue;
        } else if (wouldBlock()) {
            watch(connection, EPOLLIN | EPOLLRDHUP);
            return;
        } else {
            close(connection);
            return;
        }
    }
    switch (connection.parser.state()) {
        case HttpRequestParser::State::Complete: {
            // Kept open only for a client that asks, has sent nothing beyond its request and
            // can still send, and while no client has to wait for a place.
            const bool keepAlive = connection.parser.request().wantsKeepAlive() &&
                                   !connection.parser.hasExcess() && !connection.peerClosed &&
                                   !full_;
            answer(connection, responder_(connection.parser.request()), keepAlive);
            return;
        }
        case HttpRequestParser::State::Failed:
            answer(connection, errorResponse(connection.parser.failureStatus()));
            return;
        case HttpRequestParser::State::Incomplete:
            // The client closed its side before a whole request: nothing more can come.
            if (connection.receivedAny) {
                answer(connection, errorResponse(kBadRequest));
            } else {
                close(connection);
            }
            return;
    }
}

void SiteListener::answer(Connection& connection, const HttpResponse& response, bool keepAlive) {
    connection.phase = Connection::Phase::Writing;
    connection.keepAlive = keepAlive;
    connection.answer = response.toBytes(keepAlive);
    connection.deadline = Clock::now() + kLinger;
    writeAnswer(connection);
}

void SiteListener::writeAnswer(Connection& connection) {
    while (connection.sent < connection.answer.size()) {
        const ssize_t sent = ::send(connection.descriptor, connection.answer.constData() + connection.sent,
                   static_cast<std::size_t>(connection.answer.size() - connection.sent),
                   MSG_NOSIGNAL);
        if (sent >= 0) {
            connection.sent += sent;
        } else if (errno == EINTR) {
            continue;
        } else if (wouldBlock()) {
            watch(connection, EPOLLOUT);
            wakeAt(connection.deadline);
            return;
        } else {
            close(connection);
            return;
        }
    }
    if (connection.keepAlive) {
        awaitNextRequest(connection);
        return;
    }
    // Closing while the client's data is still unread would reset the connection, and the
    // reset could overtake the answer. So only a client that has sent more than its request
    // is waited for: our side is shut and its data read and dropped until it closes.
    int unread = 0;
    if (connection.peerClosed ||
        (ioctl(connection.descriptor, FIONREAD, &unread) == 0 && unread == 0)) {
        close(connection);
        return;
    }
    ::shutdown(connection.descriptor, SHUT_WR);
    connection.phase = Connection::Phase::Draining;
    watch(connection, EPOLLIN | EPOLLRDHUP);
    wakeAt(connection.deadline);
    drain(connection);
}

void SiteListener::awaitNextRequest(Connection& connection) {
    if (!connection.servedAny) {
        // Each answer goes out in one write: nothing is gained by holding back a small one
        // until the client has acknowledged the last.
        const int noDelay = 1;
        setsockopt(connection.descriptor, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    }
    connection.phase = Connection::Phase::Reading;
    connection.parser = HttpRequestParser();
    connection.receivedAny = false;
    connection.servedAny = true;
    connection.answer.clear();
    connection.sent = 0;
    connection.waitingSince = Clock::now();
    connection.deadline = connection.waitingSince + limits_.requestTimeout;
    watch(connection, EPOLLIN | EPOLLRDHUP);
    wakeAt(connection.deadline);
}

void SiteListener::watch(Connection& connection, std::uint32_t events) {
    if (connection.watched == events) {
        return;
    }
    epoll_event event{};
    event.events = events;
    event.data.u64 = tag(connection.descriptor, connection.serial);
    epoll_ctl(epoll_, connection.watched != 0 ? EPOLL_CTL_MOD : EPOLL_CTL_ADD,
              connection.descriptor, &event);
    connection.watched = events;
}

void SiteListener::drain(Connection& connection) {
    std::array<char, kReadChunk> chunk;  // filled by read(): not worth clearing
    while (true) {
        const ssize_t received = ::read(connection.descriptor, chunk.data(), chunk.size());
        if (received > 0 || (received < 0 && errno == EINTR)) {
            continue;
        }
        if (received < 0 && wouldBlock()) {
            return;
        }
        close(connection);
        return;
    }
}

void SiteListener::close(Connection& connection) {
    // Closing the descriptor also takes it out of the epoll set.
    ::close(connection.descriptor);
    connections_.erase(connection.descriptor);
    if (full_) {
        full_ = false;
        othersWaiting_ = false;
        watchListening(false);
        acceptWaiting();
    }
}

void SiteListener::evictIdle() {
    if (!full_ || !othersWaiting_) {
        return;
    }
    Connection* oldest = nullptr;
    for (const auto& [descriptor, connection] : connections_) {
        if (connection->phase == Connection::Phase::Reading &&
            (oldest == nullptr || connection->waitingSince < oldest->waitingSince)) {
            oldest = connection.get();
        }
    }
    if (oldest == nullptr) {
        return;  // every place is being answered; one frees soon
    }
    if (Clock::now() - oldest->waitingSince < limits_.idleGrace) {
        wakeAt(oldest->waitingSince + limits_.idleGrace);
        return;
    }
    giveUp(*oldest);
}

void SiteListener::giveUp(Connection& connection) {
    // A kept connection between requests ends without a word, as clients expect; a request
    // begun and not finished is told why.
    if (connection.servedAny && !connection.receivedAny) {
        close(connection);
    } else {
        answer(connection, errorResponse(kRequestTimeout));
    }
}

void SiteListener::expireDeadlines() {
    const Clock::time_point now = Clock::now();
    QList<std::pair<int, quint32>> expired;
    for (const auto& [descriptor, connection] : connections_) {
        if (connection->deadline <= now) {
            expired.append({descriptor, connection->serial});
        }
    }
    for (const auto& [descriptor, serial] : expired) {
        const auto found = connections_.find(descriptor);
        if (found == connections_.end() || found->second->serial != serial) {
            continue;
        }
        Connection& connection = *found->second;
        if (connection.phase == Connection::Phase::Reading) {
            giveUp(connection);
        } else {
            close(connection);
        }
    }
    evictIdle();
    for (const auto& [descriptor, connection] : connections_) {
        wakeAt(connection->deadline);
    }
}

void SiteListener::wakeAt(Clock::time_point when) {
    if (timer_.isActive() && nextWake_ <= when) {
        return;
    }
    nextWake_ = when;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
    timer_.start(std::max(wait, std::chrono::milliseconds{0}));
}

}  // namespace tolvane
