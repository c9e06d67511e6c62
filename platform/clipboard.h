#pragma once

#include <QString>

#include <optional>

namespace tolvane {

// The desktop's clipboard, as text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The text on the clipboard; nothing when it holds no text or cannot be read.
    virtual std::optional<QString> text() const = 0;
    // False when the text could not be placed on the clipboard.
    virtual bool setText(const QString& text) = 0;
};

}  // namespace tolvane
