#pragma once

#include <QString>

namespace tolvane {

// The maker's web site: the one place that knows its host and pages. The environment
// variable TOLVANE_SITE_HOST replaces the host, for tests and self-hosting.
class MakerSite {
public:
    static MakerSite fromEnvironment();
    explicit MakerSite(QString host) : host_(std::move(host)) {}

    QString host() const { return host_; }
    // The home page, in the form the program has always handed to the shell.
    QString homePage() const { return QStringLiteral("http:\\\\") + host_; }
    // The support page: the host followed by the path, with no scheme in front.
    QString supportPage() const { return host_ + QStringLiteral("/cp/support.html"); }
    QString contactPage() const {
        return QStringLiteral("http://") + host_ + QStringLiteral("/cp/contact.html");
    }

private:
    QString host_;
};

}  // namespace tolvane
