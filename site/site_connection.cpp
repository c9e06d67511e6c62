#include "site/site_connection.h"

#include <QTcpSocket>

#include <sys/socket.h>

namespace tolvane {
namespace {

constexpr int kRequestTimeout = 408;
// How long a client may take to read the answer and close.
constexpr std::chrono::seconds kLinger{2};

}  // namespace

SiteConnection::SiteConnection(QTcpSocket* socket, Responder responder,
                               std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent), socket_(socket), responder_(std::move(responder)) {
    socket_->setParent(this);
    // What the parser has not asked for stays in the kernel, not in memory.
    socket_->setReadBufferSize(qint64{64} * 1024);
    connect(socket_, &QTcpSocket::readyRead, this, &SiteConnection::readRequest);
    connect(socket_, &QTcpSocket::bytesWritten, this, &SiteConnection::finishWriting);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(socket_, &QTcpSocket::errorOccurred, this, &SiteConnection::drop);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &SiteConnection::giveUp);
    deadline_.start(timeout);
    readRequest();
}

void SiteConnection::readRequest() {
    const QByteArray bytes = socket_->readAll();
    if (answered_) {
        return;  // the rest of an over-long request, read only to be dropped
    }
    switch (parser_.feed(bytes)) {
        case HttpRequestParser::State::Incomplete:
            return;
        case HttpRequestParser::State::Complete:
            send(responder_(parser_.request()));
            return;
        case HttpRequestParser::State::Failed:
            send(errorResponse(parser_.failureStatus()));
            return;
    }
}

void SiteConnection::send(const HttpResponse& response) {
    answered_ = true;
    socket_->write(response.toBytes());
    deadline_.start(kLinger);
}

void SiteConnection::finishWriting() {
    if (socket_->bytesToWrite() > 0) {
        return;
    }
    // Only the sending side is closed: closing both while the client may still be sending
    // would reset the connection and could lose the answer on its way. The client closes its
    // side once it has the answer, or the deadline does it.
    ::shutdown(static_cast<int>(socket_->socketDescriptor()), SHUT_WR);
}

void SiteConnection::giveUp() {
    if (answered_) {
        drop();
        return;
    }
    send(errorResponse(kRequestTimeout));
}

void SiteConnection::drop() {
    deadline_.stop();
    socket_->abort();
    deleteLater();
}

}  // namespace tolvane
