#pragma once

#include "document_opener.h"

namespace tolvane {

// Opens targets through the desktop's default handlers, never through a shell command line.
class DesktopOpener : public DocumentOpener {
public:
    void ShellDef(const QString& target) override;
};

}  // namespace tolvane
