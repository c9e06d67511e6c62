#pragma once

#include "site/site_settings.h"

#include <QSemaphore>
#include <QThread>

namespace tolvane {

class SiteServer;

// The site on a thread of its own, so that a request, the first reading of the rates or a slow
// client never holds up a window. The server is made, run and destroyed on that thread; the
// thread that owns this object only asks it for its port.
class SiteThread : public QThread {
    Q_OBJECT
public:
    explicit SiteThread(SiteSettings settings);
    // Stops the site and waits for its thread to end.
    ~SiteThread() override;
    SiteThread(const SiteThread&) = delete;
    SiteThread& operator=(const SiteThread&) = delete;

    // See SiteServer::ensureStarted; waits for the site's thread to answer.
    quint16 ensureStarted();

protected:
    void run() override;

private:
    SiteSettings settings_;
    SiteServer* server_ = nullptr;  // lives in run()
    QSemaphore made_;
};

}  // namespace tolvane
