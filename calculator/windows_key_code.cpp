#include "calculator/windows_key_code.h"

#include "calculator/calc_keys.h"

#include <array>

namespace tolvane {
namespace {

constexpr int kEnterCode = 13;
constexpr int kDigitZeroCode = 48;
constexpr int kKeypadZeroCode = 96;
constexpr int kKeypadMultiplyCode = 106;
constexpr int kKeypadAddCode = 107;
constexpr int kKeypadSubtractCode = 109;
constexpr int kKeypadDecimalCode = 110;
constexpr int kKeypadDivideCode = 111;
constexpr int kEqualsCode = 187;
constexpr int kMinusCode = 189;
constexpr int kPeriodCode = 190;
constexpr int kSlashCode = 191;

struct PlacedKey {
    quint32 xKeyCode;
    int windowsCode;
};

// The main-keyboard keys of the map by their X key codes.
constexpr std::array<PlacedKey, 14> kMainKeyboardKeys{{
    {10, kDigitZeroCode + 1},
    {11, kDigitZeroCode + 2},
    {12, kDigitZeroCode + 3},
    {13, kDigitZeroCode + 4},
    {14, kDigitZeroCode + 5},
    {15, kDigitZeroCode + 6},
    {16, kDigitZeroCode + 7},
    {17, kDigitZeroCode + 8},
    {18, kDigitZeroCode + 9},
    {19, kDigitZeroCode},
    {20, kMinusCode},
    {21, kEqualsCode},
    {60, kPeriodCode},
    {61, kSlashCode},
}};

std::optional<int> keypadCode(Qt::Key key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return kKeypadZeroCode + (key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Plus:
            return kKeypadAddCode;
        case Qt::Key_Minus:
            return kKeypadSubtractCode;
        case Qt::Key_Asterisk:
            return kKeypadMultiplyCode;
        case Qt::Key_Slash:
            return kKeypadDivideCode;
        // Some layouts make the keypad's point a comma; it is the same key.
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return kKeypadDecimalCode;
        default:
            return std::nullopt;
    }
}

std::optional<int> mainKeyboardCodeBySymbol(Qt::Key key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return kDigitZeroCode + (key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Minus:
            return kMinusCode;
        case Qt::Key_Equal:
            return kEqualsCode;
        case Qt::Key_Period:
            return kPeriodCode;
        case Qt::Key_Slash:
            return kSlashCode;
        default:
            return std::nullopt;
    }
}

std::optional<int> mainKeyboardCodeByPlace(quint32 nativeScanCode) {
    for (const PlacedKey& placed : kMainKeyboardKeys) {
        if (placed.xKeyCode == nativeScanCode)
            return placed.windowsCode;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> windowsKeyCode(Qt::Key key, Qt::KeyboardModifiers modifiers,
                                  quint32 nativeScanCode) {
    switch (key) {
        case Qt::Key_Escape:
            return kEscapeKeyCode;
        case Qt::Key_Backspace:
            return kBackspaceKeyCode;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnterCode;
        default:
            break;
    }
    if (modifiers.testFlag(Qt::KeypadModifier))
        return keypadCode(key);
    if (nativeScanCode == 0)
        return mainKeyboardCodeBySymbol(key);
    return mainKeyboardCodeByPlace(nativeScanCode);
}

}  // namespace tolvane
