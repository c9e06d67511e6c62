#pragma once

#include <QString>

namespace tolvane {

// The maker's web site: the one place that knows its hosts and pages. The program serves the
// site itself at ownHost, unless the environment variable TOLVANE_SITE_HOST names another host
// (a self-hosted copy of the site, or a test's). The currency conversion service and the
// dictionary address live on the same host unless TOLVANE_CONVERTER_HOST or
// TOLVANE_DICTIONARY_HOST names one of their own.
class MakerSite {
public:
    static MakerSite fromEnvironment(const QString& ownHost);
    // Whether TOLVANE_SITE_HOST leaves the serving to another host.
    static bool servedElsewhere();
    explicit MakerSite(QString host, QString converterHost = {}, QString dictionaryHost = {});

    QString host() const { return host_; }
    // The home page, in the form the program has always handed to the shell.
    QString homePage() const { return QStringLiteral("http:\\\\") + host_; }
    // The support page: the host followed by the path, with no scheme in front.
    QString supportPage() const { return host_ + QStringLiteral("/cp/support.html"); }
    QString contactPage() const {
        return QStringLiteral("http://") + host_ + QStringLiteral("/cp/contact.html");
    }
    // Where the currency request page posts its form.
    QString converterAddress() const {
        return QStringLiteral("http://") + converterHost_ + QStringLiteral("/converter/classic");
    }
    // The dictionary's query address, without its query.
    QString dictionaryAddress() const {
        return QStringLiteral("http://") + dictionaryHost_ + QStringLiteral("/cgi-bin/trans.cgi");
    }

private:
    QString host_;
    QString converterHost_;
    QString dictionaryHost_;
};

}  // namespace tolvane
