#pragma once

#include "core/code_page.h"

namespace tolvane {

// The Hebrew Windows code page, so that list files move between Windows and Linux unchanged.
// The few bytes the code page leaves unassigned read as the control characters of the same
// number, and write back as those bytes: every file reads and writes back byte for byte.
class Windows1255 : public CodePage {
public:
    QString toUnicode(const QByteArray& bytes) const override;
    std::optional<QByteArray> fromUnicode(const QString& text) const override;
};

}  // namespace tolvane
