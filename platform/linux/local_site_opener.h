#pragma once

#include "platform/document_opener.h"

#include <functional>

namespace tolvane {

// Opens targets through another opener, first starting the program's own site when a target
// is one of its pages: the site runs only once something is to be fetched from it. When the
// site had to take another port than its usual one, the target is moved there.
class LocalSiteOpener : public DocumentOpener {
public:
    // serve starts the site if need be and gives the host it listens on, or nothing.
    LocalSiteOpener(DocumentOpener& inner, QString usualHost, std::function<QString()> serve);

    void ShellDef(const QString& target) override;

private:
    DocumentOpener& inner_;
    QString usualHost_;
    std::function<QString()> serve_;
};

}  // namespace tolvane
