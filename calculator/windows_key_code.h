#pragma once

#include <Qt>
#include <QtGlobal>

#include <optional>

namespace tolvane {

// The Windows virtual-key code that the calculator's keyboard map knows a key press by: Escape,
// Backspace, Enter, the main keyboard's digits and its minus, equals, period and slash keys,
// and the keypad's digits, operators, decimal point and Enter. Other keys have none.
//
// A main-keyboard key is told by the key itself, not by the symbol that Shift or the layout
// gives it: Shift with equals (reported as "+") is still equals, Shift with 8 (reported as "*")
// still 8. nativeScanCode is the X key code (the evdev code + 8), as under X11 and Wayland; it
// places the key where the Windows codes place it, in the US layout's places, which the Hebrew
// layout keeps. Without it (0, an event made by a program), the reported symbol decides.
// Keypad keys carry Qt::KeypadModifier and are told by their symbol, so that with Num Lock off
// they are the arrows and Home and End they then are, and none of the map's keys.
std::optional<int> windowsKeyCode(Qt::Key key, Qt::KeyboardModifiers modifiers,
                                  quint32 nativeScanCode);

}  // namespace tolvane
