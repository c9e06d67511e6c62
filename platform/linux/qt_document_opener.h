#pragma once

#include "platform/document_opener.h"

namespace tolvane {

// Opens targets through the desktop's default handlers, never through a shell command line.
class QtDocumentOpener : public DocumentOpener {
public:
    void ShellDef(const QString& target) override;
};

}  // namespace tolvane
