#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tolvane {

// The 8-bit code page in which the program's list files carry their text.
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual QString toUnicode(const QByteArray& bytes) const = 0;
    // Nothing when some character has no place in the code page.
    virtual std::optional<QByteArray> fromUnicode(const QString& text) const = 0;
};

}  // namespace tolvane
