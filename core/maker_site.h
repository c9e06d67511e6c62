#pragma once

#include <QString>

namespace tolvane {

// The maker's web site: the one place that knows its host and pages. The program serves the
// site itself at ownHost, unless the environment variable TOLVANE_SITE_HOST names another host
// (a self-hosted copy of the site, or a test's).
class MakerSite {
public:
    static MakerSite fromEnvironment(const QString& ownHost);
    // Whether TOLVANE_SITE_HOST leaves the serving to another host.
    static bool servedElsewhere();
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
