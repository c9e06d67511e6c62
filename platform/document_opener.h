#pragma once

#include <QString>

namespace tolvane {

// Performs the desktop's default "open" action on a program, document, folder or address.
// The outcome is not reported: a target that cannot be opened is silently passed over.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual void ShellDef(const QString& target) = 0;
};

}  // namespace tolvane
