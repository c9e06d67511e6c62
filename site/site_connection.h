#pragma once

#include "site/http_request.h"
#include "site/http_response.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class QTcpSocket;

namespace tolvane {

// One client of the site: reads its request, answers once and closes. Each connection keeps
// its own state and deadline, so a slow client holds up nobody else; it deletes itself when
// done.
class SiteConnection : public QObject {
    Q_OBJECT
public:
    using Responder = std::function<HttpResponse(const HttpRequest&)>;

    // Takes ownership of the socket.
    SiteConnection(QTcpSocket* socket, Responder responder, std::chrono::milliseconds timeout,
                   QObject* parent);

private:
    void readRequest();
    void send(const HttpResponse& response);
    void finishWriting();
    void giveUp();
    void drop();

    QTcpSocket* socket_;
    Responder responder_;
    HttpRequestParser parser_;
    QTimer deadline_;
    bool answered_ = false;
};

}  // namespace tolvane
