#pragma once

#include <QStringView>

#include <array>
#include <optional>

namespace tolvane {

// What a key label of the calculator does when pressed.
enum class KeyRole { Digit, Point, Operator, Equals, Clear, Copy, Paste, Exit };

// One of the twenty key labels: its caption and its cell in the grid of four rows and five
// columns (both counted from 0, row 0 at the top, column 0 at the left).
struct CalcKey {
    QStringView caption;
    KeyRole role;
    int row;
    int column;
};

// The key labels by index. The digits and the point keep their calculator-pad places: 7 8 9
// on top, 0 . = at the bottom.
inline constexpr std::array<CalcKey, 20> kCalcKeys{{
    {u"7", KeyRole::Digit, 0, 0},    {u"8", KeyRole::Digit, 0, 1},
    {u"9", KeyRole::Digit, 0, 2},    {u"4", KeyRole::Digit, 1, 0},
    {u"5", KeyRole::Digit, 1, 1},    {u"6", KeyRole::Digit, 1, 2},
    {u"1", KeyRole::Digit, 2, 0},    {u"2", KeyRole::Digit, 2, 1},
    {u"3", KeyRole::Digit, 2, 2},    {u"0", KeyRole::Digit, 3, 0},
    {u".", KeyRole::Point, 3, 1},    {u"=", KeyRole::Equals, 3, 2},
    {u"+", KeyRole::Operator, 0, 3}, {u"-", KeyRole::Operator, 1, 3},
    {u"*", KeyRole::Operator, 2, 3}, {u"/", KeyRole::Operator, 3, 3},
    {u"יציאה", KeyRole::Exit, 3, 4}, {u"הדבק", KeyRole::Paste, 2, 4},
    {u"העתק", KeyRole::Copy, 1, 4},  {u"נקה", KeyRole::Clear, 0, 4},
}};

// A row of the keyboard map: a Windows virtual-key code and the index of the key label it
// presses.
struct KeyTableRow {
    int keyCode;
    int keyIndex;
};

// The keyboard map in its stored order. The shift state plays no part: a code stands for a key,
// not for the symbol the key makes.
inline constexpr std::array<KeyTableRow, 30> kKeyTable{{
    {48, 9},    // 0
    {96, 9},    // keypad 0
    {97, 6},    // keypad 1
    {49, 6},    // 1
    {98, 7},    // keypad 2
    {50, 7},    // 2
    {99, 8},    // keypad 3
    {51, 8},    // 3
    {100, 3},   // keypad 4
    {52, 3},    // 4
    {101, 4},   // keypad 5
    {53, 4},    // 5
    {102, 5},   // keypad 6
    {54, 5},    // 6
    {103, 0},   // keypad 7
    {55, 0},    // 7
    {104, 1},   // keypad 8
    {56, 1},    // 8
    {105, 2},   // keypad 9
    {57, 2},    // 9
    {107, 12},  // keypad +
    {109, 13},  // keypad -
    {189, 13},  // main keyboard minus
    {187, 11},  // main keyboard equals
    {13, 11},   // Enter
    {106, 14},  // keypad *
    {111, 15},  // keypad /
    {190, 10},  // main keyboard period
    {110, 10},  // keypad decimal point
    {191, 15},  // main keyboard slash
}};

// Handled before the table: Escape closes the window, Backspace deletes the display's last
// character.
inline constexpr int kEscapeKeyCode = 27;
inline constexpr int kBackspaceKeyCode = 8;

// The key label that a key code presses, by the first table row with that code; none for a
// code the table does not hold.
std::optional<int> keyIndexForCode(int keyCode);

}  // namespace tolvane
