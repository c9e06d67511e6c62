#pragma once

#include <QString>

namespace tolvane {

// Modal message boxes. Showing one runs a nested event loop in which timers still fire.
class MessageBoxes {
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Information, Critical };
    enum class Answer { Ok, Yes, No };

    virtual ~MessageBoxes() = default;
    virtual Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) = 0;
};

}  // namespace tolvane
