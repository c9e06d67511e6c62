#include "calculator/windows_key_code.h"

#include "calculator/calc_test_support.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::StringLiterals;

// The caption of the key label a key press reaches through the key table, empty for none.
QString pressed(Qt::Key key, Qt::KeyboardModifiers modifiers, quint32 xKeyCode) {
    const std::optional<int> code = windowsKeyCode(key, modifiers, xKeyCode);
    const std::optional<int> index = code ? keyIndexForCode(*code) : std::nullopt;
    return index ? kCalcKeys.at(static_cast<std::size_t>(*index)).caption.toString() : QString();
}

TEST(WindowsKeyCodeTest, MainKeyboardAndKeypadDigitsAreTheSameDigits) {
    const quint32 keypadXCodes[] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    for (int digit = 0; digit <= 9; ++digit) {
        const auto key = static_cast<Qt::Key>(Qt::Key_0 + digit);
        const quint32 mainXCode = digit == 0 ? 19 : 9 + digit;
        EXPECT_EQ(pressed(key, Qt::NoModifier, mainXCode), QString::number(digit));
        EXPECT_EQ(pressed(key, Qt::KeypadModifier, keypadXCodes[digit]), QString::number(digit));
    }
}

TEST(WindowsKeyCodeTest, KeysAreKnownByTheirPlaceNotByWhatShiftMakesOfThem) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        quint32 xKeyCode;
        QString caption;
    } presses[] = {
        {Qt::Key_Plus, Qt::ShiftModifier, 21, u"="_s},
        {Qt::Key_Asterisk, Qt::ShiftModifier, 17, u"8"_s},
        {Qt::Key_Underscore, Qt::ShiftModifier, 20, u"-"_s},
        {Qt::Key_Greater, Qt::ShiftModifier, 60, u"."_s},
        {Qt::Key_Slash, Qt::NoModifier, 61, u"/"_s},
        {Qt::Key_Slash, Qt::NoModifier, 24, {}},  // a layout's "/" on the Q key
        {Qt::Key_Return, Qt::ShiftModifier, 36, u"="_s},
        {Qt::Key_Enter, Qt::KeypadModifier, 104, u"="_s},
        {Qt::Key_Plus, Qt::KeypadModifier, 86, u"+"_s},
        {Qt::Key_Minus, Qt::KeypadModifier, 82, u"-"_s},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 63, u"*"_s},
        {Qt::Key_Slash, Qt::KeypadModifier, 106, u"/"_s},
        {Qt::Key_Comma, Qt::KeypadModifier, 91, u"."_s},
        {Qt::Key_Home, Qt::KeypadModifier, 79, {}},  // keypad 7 with Num Lock off
        {Qt::Key_A, Qt::NoModifier, 38, {}},
        {Qt::Key_F1, Qt::NoModifier, 67, {}},
        // Events made by a program have no key code; their symbol must do.
        {Qt::Key_Equal, Qt::NoModifier, 0, u"="_s},
        {Qt::Key_Plus, Qt::ShiftModifier, 0, {}},
    };
    for (const auto& press : presses)
        EXPECT_EQ(pressed(press.key, press.modifiers, press.xKeyCode), press.caption)
            << "X key code " << press.xKeyCode;
    EXPECT_EQ(windowsKeyCode(Qt::Key_Escape, Qt::ShiftModifier, 9), kEscapeKeyCode);
    EXPECT_EQ(windowsKeyCode(Qt::Key_Backspace, Qt::NoModifier, 22), kBackspaceKeyCode);
}

}  // namespace
}  // namespace tolvane
