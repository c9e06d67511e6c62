#include "site/site_thread.h"

#include "site/site_server.h"

namespace tolvane {

SiteThread::SiteThread(SiteSettings settings) : settings_(std::move(settings)) {
    setObjectName(QStringLiteral("tolvane-site"));
    start();
    made_.acquire();
}

SiteThread::~SiteThread() {
    quit();
    wait();
}

quint16 SiteThread::ensureStarted() {
    quint16 port = 0;
    QMetaObject::invokeMethod(
        server_, [this, &port] { port = server_->ensureStarted(); },
        Qt::BlockingQueuedConnection);
    return port;
}

void SiteThread::run() {
    {
        SiteServer server(settings_);
        server_ = &server;
        made_.release();
        exec();
    }
    server_ = nullptr;
}

}  // namespace tolvane
