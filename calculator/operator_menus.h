#pragma once

#include <QStringView>

#include <array>

namespace tolvane {

// The two correction menus of the operator labels: Op changes the chosen operator (Make), Op_I
// the committed one (Secret_Make).
enum class OperatorMenu { Op, Op_I };

// An item of a correction menu: its object name, its caption and the operator text it puts in
// its label (empty for the clearing item).
struct OperatorMenuItem {
    QStringView name;
    QStringView caption;
    QStringView sets;
};

// The change-to captions end with a right-to-left mark, so that the operator stays at the end
// of the line in a right-to-left menu.
inline constexpr std::array<OperatorMenuItem, 5> kOpMenuItems{{
    {u"Op_P", u"שנה ל: +\u200F", u"+"},
    {u"Op_Mi", u"שנה ל: -\u200F", u"-"},
    {u"Op_Mu", u"שנה ל: *\u200F", u"*"},
    {u"Op_D", u"שנה ל: /\u200F", u"/"},
    {u"Op_CLR", u"נקה", u""},
}};

inline constexpr std::array<OperatorMenuItem, 5> kOpIMenuItems{{
    {u"Op_I_P", u"שנה ל: +\u200F", u"+"},
    {u"Op_I_Mi", u"שנה ל: -\u200F", u"-"},
    {u"Op_I_Mu", u"שנה ל: *\u200F", u"*"},
    {u"Op_I_D", u"שנה ל: /\u200F", u"/"},
    {u"Op_I_CLR", u"נקה", u""},
}};

constexpr const std::array<OperatorMenuItem, 5>& operatorMenuItems(OperatorMenu menu) {
    return menu == OperatorMenu::Op ? kOpMenuItems : kOpIMenuItems;
}

}  // namespace tolvane
