#pragma once

#include "platform/clipboard.h"

namespace tolvane {

// The clipboard through Qt, which owns the X selection while the program runs.
class QtClipboard : public Clipboard {
public:
    std::optional<QString> text() const override;
    bool setText(const QString& text) override;
};

}  // namespace tolvane
