#pragma once

#include <QAccessible>
#include <QString>

#include <initializer_list>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace tolvane {

// What assistive technology is told of a control, through its accessible interface.
QAccessible::Role accessibleRole(QObject* control);
QString accessibleName(QObject* control);
QString accessibleDescription(QObject* control);
QAccessible::State accessibleState(QObject* control);
// What a screen reader reads in a control that shows a text: its text interface's whole text,
// or else its value.
QString accessibleText(QObject* control);
// A list box's rows as a screen reader reads them, top to bottom.
QStringList accessibleRows(QObject* list);
// The actions it offers, and taking one of them; false when it offers no such action.
QStringList accessibleActions(QObject* control);
bool doAccessibleAction(QObject* control, const QString& action);

// A control's name for a test's message: its object name, or its parent's with its class.
std::string controlName(const QWidget* control);

// The window's visible controls that a screen reader would find without a name. Plain panels
// and decoration (a widget of no role of its own that cannot take the focus) need none, nor
// do the rows and scroll bars inside a list box, which are the list's own.
std::vector<std::string> unnamedControls(QWidget* window);

struct ExpectedRole {
    QObject* control;
    QAccessible::Role role;
};
// Each control whose role is not the one expected, with the role it has.
std::vector<std::string> wrongRoles(std::initializer_list<ExpectedRole> expected);

// Shows and activates the window, puts the focus on `first` and presses Tab until the focus is
// back there (or has gone round too often): every control the focus reached, in order.
std::vector<std::string> tabWalk(QWidget* window, QWidget* first);

// The controls' names, for comparing with a walk.
std::vector<std::string> controlNames(std::initializer_list<const QWidget*> controls);

}  // namespace tolvane
