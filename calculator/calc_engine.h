#pragma once

#include "calculator/operator_menus.h"

#include <QString>
#include <QStringView>

namespace tolvane {

// The calculator's whole state: four texts the user always sees, and every operation on them.
// A pending operation reads left to right: Last, Secret_Make, the display (Label2). An operator
// just chosen waits in Make until the second operand begins; then the display moves to Last and
// Make to Secret_Make (the hand-over). Nothing here reports an error: an operation that cannot
// be done is skipped.
class CalcEngine {
public:
    // The display: the number being entered or the last result.
    const QString& label2() const { return label2_; }
    // The first operand of a pending operation, or empty.
    const QString& last() const { return last_; }
    // The committed operator that Score applies, or empty.
    const QString& secretMake() const { return secretMake_; }
    // The operator just chosen, or empty.
    const QString& make() const { return make_; }

    // Applies Secret_Make to Last and the display, if an operation is pending, and ends it.
    // "+" counts texts that are no number as 0; "-", "*" and "/" need two numbers. A division by
    // zero, an overflow, an operand that is no number or a result whose writing would not read
    // back leaves the display as it was.
    void Score();
    // A number from the clipboard, in the calculator's own writing, replaces the display (or
    // starts the second operand); the left-to-right, right-to-left and Arabic letter marks
    // around or in it are dropped. Text that is not a number changes nothing.
    void Pasting(QStringView text);

    // Appends a digit (at most 11 characters are typed this way), or starts the second operand.
    void enterDigit(QStringView digit);
    // A typed point: like a digit, but a number gets only one.
    void enterPointFromKeyboard();
    // A clicked point: appended to the display whatever the state, one per display.
    void enterPointFromClick();
    // Computes what is pending, then chooses the operator; a second one replaces the first.
    void enterOperator(QStringView op);
    void clearAll();
    void clearEntry();
    // Abandons the pending operation and shows its first operand again.
    void recallLast();
    void backspace();

    // The action of key label keyIndex pressed on the keyboard (after its pressed look).
    void typeKey(int keyIndex);
    // The action of key label keyIndex clicked, as far as it touches the texts: copy, paste and
    // exit are the window's.
    void clickKey(int keyIndex);

    // Whether the menu's label shows an operator, the only time its menu opens.
    bool menuOpens(OperatorMenu menu) const;
    // Puts the item's operator text in the menu's label, unless that label is empty by now;
    // nothing else changes.
    void chooseMenuItem(OperatorMenu menu, const OperatorMenuItem& item);

private:
    enum class KeySource { Keyboard, Mouse };
    void pressKey(int keyIndex, KeySource source);
    // The second operand begins with text.
    void handOver(const QString& text);

    QString label2_;
    QString last_;
    QString secretMake_;
    QString make_;
};

}  // namespace tolvane
