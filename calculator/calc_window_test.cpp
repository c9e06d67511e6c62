#include "calculator/calc_window.h"

#include "calculator/calc_test_support.h"
#include "calculator/mouse_label.h"
#include "testing/accessibility.h"
#include "testing/fake_platform.h"
#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <utility>

namespace tolvane {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// X key codes of the main keyboard's keys as a US or Hebrew layout places them.
constexpr quint32 kXDigit1 = 10;
constexpr quint32 kXMinus = 20;
constexpr quint32 kXEquals = 21;
constexpr quint32 kXReturn = 36;
constexpr quint32 kXPeriod = 60;

class CalcWindowTest : public testing::Test {
protected:
    void SetUp() override {
        calc = new Calc(fakes.services(), 0ms);
        calc->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(calc));
    }
    void TearDown() override {
        delete calc.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A key press as the desktop reports it: the symbol, the modifiers and the X key code.
    void press(Qt::Key key, quint32 xKeyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, xKeyCode, 0, 0);
        QApplication::sendEvent(calc, &event);
    }
    void pressMainDigit(int digit) {
        press(static_cast<Qt::Key>(Qt::Key_0 + digit), digit == 0 ? 19 : kXDigit1 - 1 + digit);
    }
    // Keys typed by symbol through the window system, as a program types them: digits, the
    // point and equals on the main keyboard, the operators on the keypad.
    void type(const QString& keys) {
        for (const QChar key : keys) {
            const bool isOperator = QStringLiteral("+-*/").contains(key);
            QTest::keyClick(calc->windowHandle(), static_cast<Qt::Key>(key.unicode()),
                            isOperator ? Qt::KeypadModifier : Qt::NoModifier);
        }
    }

    // The mouse through the window system, which hands a release to the widget that got the
    // press.
    QPoint spot(const QWidget* control) const { return control->geometry().center(); }
    void mousePress(const QWidget* control, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(calc->windowHandle(), button, {}, spot(control));
    }
    void mouseRelease(const QWidget* control, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(calc->windowHandle(), button, {}, spot(control));
    }
    void click(const QWidget* control, Qt::MouseButton button = Qt::LeftButton) {
        mousePress(control, button);
        mouseRelease(control, button);
    }
    MouseLabel* captioned(QChar caption) const {
        return calc->Label1.at(static_cast<std::size_t>(keyIndexOf(caption)));
    }
    void clickKeys(const QString& captions) {
        for (const QChar caption : captions)
            click(captioned(caption));
    }
    MouseLabel* key(int index) const { return calc->Label1.at(static_cast<std::size_t>(index)); }

    bool drawnPressed(int index) const {
        const auto i = static_cast<std::size_t>(index);
        return calc->Label1.at(i)->frameShadow() == QFrame::Sunken &&
               !calc->Line1.at(i)->isVisible() && !calc->Line2.at(i)->isVisible();
    }
    bool drawnReleased(int index) const {
        const auto i = static_cast<std::size_t>(index);
        return calc->Label1.at(i)->frameShadow() == QFrame::Plain &&
               calc->Line1.at(i)->isVisible() && calc->Line2.at(i)->isVisible();
    }

    // The top row as the window shows it, left to right.
    QString topRow() const {
        return QStringList({calc->Last->text(), calc->Secret_Make->text(), calc->Make->text(),
                            calc->Label2->text()})
            .join(u'|');
    }

    FakePlatform fakes;
    QPointer<Calc> calc;
};

TEST_F(CalcWindowTest, MainKeyboardAndKeypadKeysComputeWhateverShiftMakesOfThem) {
    // 1, 2, the main keyboard's minus, 5, Enter.
    pressMainDigit(1);
    pressMainDigit(2);
    press(Qt::Key_Minus, kXMinus);
    pressMainDigit(5);
    press(Qt::Key_Return, kXReturn);
    EXPECT_EQ(topRow(), "|||7");

    // Shift with equals reads "+" but is still equals; Shift with 8 reads "*" but is 8.
    press(Qt::Key_Asterisk, 17, Qt::ShiftModifier);
    press(Qt::Key_Plus, 86, Qt::KeypadModifier);
    press(Qt::Key_3, 89, Qt::KeypadModifier);
    press(Qt::Key_Plus, kXEquals, Qt::ShiftModifier);
    EXPECT_EQ(topRow(), "|||81");
}

TEST_F(CalcWindowTest, KeysOffTheMapDoNothingAndBackspaceTakesTheLastCharacter) {
    type("123");
    const int rounds = fakes.program.eventRounds;
    press(Qt::Key_A, 38);
    press(Qt::Key_Home, 79, Qt::KeypadModifier);  // keypad 7 with Num Lock off
    press(Qt::Key_Slash, 24);                     // a layout's "/" on the Q key
    EXPECT_EQ(topRow(), "|||123");
    for (int times = 0; times < 4; ++times)
        press(Qt::Key_Backspace, 22);
    EXPECT_EQ(topRow(), "|||");
    EXPECT_EQ(fakes.program.eventRounds, rounds) << "none of them was drawn pressed";
}

TEST_F(CalcWindowTest, ATypedKeyIsPaintedPressedBeforeItsActionAndReleasedAfter) {
    QStringList seen;  // at each round of waiting events: the key's look and the display
    int index = keyIndexOf(u'5');
    fakes.program.onProcessEvents = [&] {
        seen << (drawnPressed(index) ? u"pressed "_s : u"released "_s) + calc->Label2->text();
    };
    type("5");
    index = keyIndexOf(u'.');
    press(Qt::Key_Period, kXPeriod);
    press(Qt::Key_Period, kXPeriod);  // a second point is no action, but still a key
    EXPECT_EQ(seen, QStringList({"pressed ", "pressed 5", "pressed 5."}));
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(drawnReleased(i)) << "key " << i;
}

TEST(CalcWindowHoldTest, ATypedKeyIsHeldForMoreThanATenthOfASecond) {
    FakePlatform fakes;
    Calc calc(fakes.services());
    QElapsedTimer held;
    fakes.program.onProcessEvents = [&] { held.start(); };
    calc.Form_KeyDown(13);
    EXPECT_GT(held.nsecsElapsed(), 100'000'000);
}

TEST_F(CalcWindowTest, InputArrivingWhileAKeyIsDownWaitsForThatKeysAction) {
    // Keys and a click on the display come in while the window paints the first key; the close
    // box among them closes the window after that key, and what came after it is dropped.
    bool first = true;
    fakes.program.onProcessEvents = [&] {
        if (!std::exchange(first, false))
            return;
        press(Qt::Key_2, kXDigit1 + 1);
        click(calc->Label2);
        press(Qt::Key_3, kXDigit1 + 2);
        calc->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(calc.isNull()) << "destroyed under the key";
        press(Qt::Key_4, kXDigit1 + 3);
        EXPECT_EQ(calc->Label2->text(), "") << "nothing ran inside the first key";
    };
    const QSignalSpy unloaded(calc.data(), &Form::unloaded);
    pressMainDigit(1);
    EXPECT_EQ(topRow(), "|||3");
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(fakes.program.eventRounds, 3);

    // Typed before an Escape, a key is handled; typed after it, it is dropped.
    calc = new Calc(fakes.services(), 0ms);
    first = true;
    fakes.program.onProcessEvents = [&] {
        if (!std::exchange(first, false))
            return;
        press(Qt::Key_2, kXDigit1 + 1);
        press(Qt::Key_Escape, 9);
        press(Qt::Key_3, kXDigit1 + 2);
    };
    pressMainDigit(1);
    EXPECT_EQ(topRow(), "|||12");
    EXPECT_TRUE(calc->isUnloaded());
}

TEST_F(CalcWindowTest, TheLeftButtonPressesAKeyAndItsReleaseActsOnThatKey) {
    mousePress(captioned(u'7'));
    EXPECT_TRUE(drawnPressed(keyIndexOf(u'7')));
    EXPECT_EQ(topRow(), "|||") << "nothing happens before the release";
    // Released over 8, the press still belongs to 7.
    mouseRelease(captioned(u'8'));
    EXPECT_TRUE(drawnReleased(keyIndexOf(u'7')));
    EXPECT_EQ(topRow(), "|||7");

    // A press that began on the display makes no key act, and is no click on the display.
    mousePress(calc->Label2);
    mouseRelease(captioned(u'5'));
    EXPECT_EQ(topRow(), "|||7");

    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        mousePress(captioned(u'9'), button);
        EXPECT_TRUE(drawnReleased(keyIndexOf(u'9')));
        mouseRelease(captioned(u'9'), button);
        click(key(19), button);  // clear
    }
    EXPECT_EQ(topRow(), "|||7");
    EXPECT_EQ(fakes.program.eventRounds, 0) << "the mouse shows no timed animation";
}

TEST_F(CalcWindowTest, ClickedKeysAndTheTopRowsClicksReachTheirOperations) {
    clickKeys("12+.");
    EXPECT_EQ(topRow(), "||+|12.") << "a clicked point stays with the first operand";
    clickKeys("5*2=+6");
    EXPECT_EQ(topRow(), "34|+||6");
    click(calc->Last);
    EXPECT_EQ(topRow(), "|||34");
    clickKeys("-1");
    click(calc->Label2);
    EXPECT_EQ(topRow(), "34|-||");
    click(key(19));
    EXPECT_EQ(topRow(), "|||");
    const QSignalSpy unloaded(calc.data(), &Form::unloaded);
    click(key(16));
    EXPECT_EQ(unloaded.count(), 1);
}

TEST_F(CalcWindowTest, CopyAndPasteGoThroughTheClipboardAndABrokenOneChangesNothing) {
    type("42");
    click(key(18));
    EXPECT_EQ(fakes.clipboard.contents, "42");

    const std::optional<QString> pastes[] = {" 12 ", "abc", std::nullopt, ""};
    for (const auto& contents : pastes) {
        fakes.clipboard.contents = contents;
        click(key(17));
        EXPECT_EQ(topRow(), "|||12");
    }
    fakes.clipboard.contents = "5";
    fakes.clipboard.broken = true;
    click(key(17));
    click(key(18));
    EXPECT_EQ(topRow(), "|||12");
    EXPECT_EQ(fakes.clipboard.contents, "5");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(CalcWindowTest, AnyButtonOnAnOperatorLabelOpensItsMenuOnlyWhileItShowsOne) {
    const auto opens = [this](MouseLabel* label, QMenu* menu, Qt::MouseButton button) {
        mousePress(label, button);
        const bool open = menu->isVisible();
        menu->hide();
        mouseRelease(label, button);
        return open;
    };
    type("8+");
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        EXPECT_TRUE(opens(calc->Make, calc->Op, button));
        EXPECT_FALSE(opens(calc->Secret_Make, calc->Op_I, button));
    }
    EXPECT_EQ(topRow(), "||+|8") << "dismissed, the menu changes nothing";
    type("3");
    EXPECT_FALSE(opens(calc->Make, calc->Op, Qt::LeftButton));
    EXPECT_TRUE(opens(calc->Secret_Make, calc->Op_I, Qt::RightButton));

    // Chosen in the menu, an item sets the operator.
    mousePress(calc->Secret_Make);
    calc->Op_I->setActiveAction(calc->Op_I_Mi);
    QTest::keyClick(calc->Op_I, Qt::Key_Return);
    EXPECT_FALSE(calc->Op_I->isVisible());
    mouseRelease(calc->Secret_Make);
    type("=");
    EXPECT_EQ(topRow(), "|||5");
}

TEST_F(CalcWindowTest, InputQueuedBehindAnOperatorMenuWaitsUntilItCloses) {
    // "+", a press on Make and "3" come in while the 8 is held.
    bool first = true;
    fakes.program.onProcessEvents = [&] {
        if (!std::exchange(first, false))
            return;
        press(Qt::Key_Plus, 86, Qt::KeypadModifier);
        mousePress(calc->Make);
        mouseRelease(calc->Make);
        press(Qt::Key_3, kXDigit1 + 2);
    };
    pressMainDigit(8);
    ASSERT_TRUE(calc->Op->isVisible());
    EXPECT_EQ(topRow(), "||+|8") << "the 3 waits for the menu";
    calc->Op->setActiveAction(calc->Op_Mu);
    QTest::keyClick(calc->Op, Qt::Key_Return);
    EXPECT_EQ(topRow(), "8|*||3") << "the choice first, then the 3";

    // Dismissed, the menu lets the waiting input go on.
    first = true;
    fakes.program.onProcessEvents = [&] {
        if (!std::exchange(first, false))
            return;
        mousePress(calc->Secret_Make);
        mouseRelease(calc->Secret_Make);
        press(Qt::Key_Return, kXReturn);
    };
    pressMainDigit(4);
    ASSERT_TRUE(calc->Op_I->isVisible());
    EXPECT_EQ(topRow(), "8|*||34");
    calc->Op_I->hide();
    QCoreApplication::sendPostedEvents(calc, QEvent::MetaCall);
    EXPECT_EQ(topRow(), "|||272");
}

TEST_F(CalcWindowTest, EachMenuItemSetsOnlyItsOwnLabel) {
    const QStringList sets = {"+", "-", "*", "/", ""};
    for (QMenu* menu : {calc->Op, calc->Op_I}) {
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), 5);
        EXPECT_EQ(items[0]->text(), "שנה ל: +\u200F");
        EXPECT_EQ(items[4]->text(), "נקה");
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(items[i]->isEnabled());
            type(menu == calc->Op ? "8+" : "8+3");
            items[i]->trigger();
            const QString row = menu == calc->Op ? "||" + sets[i] + "|8" : "8|" + sets[i] + "||3";
            EXPECT_EQ(topRow(), row) << items[i]->objectName().toStdString();
            click(key(19));
        }
    }
}

TEST(CalcWindowLifeTest, ClosingDestroysTheCalculatorAndTheNextOpeningIsEmpty) {
    FakePlatform fakes;
    WindowRegistry windows;
    windows.define<Calc>([&fakes] { return new Calc(fakes.services(), 0ms); });
    QPointer<Calc> calc = windows.show<Calc>();
    calc->Form_KeyDown(55);   // 7
    calc->Form_KeyDown(107);  // +
    calc->Form_KeyDown(27);   // Escape
    EXPECT_FALSE(calc->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(calc, nullptr);

    calc = windows.show<Calc>();
    EXPECT_TRUE(calc->isVisible());
    for (const QLabel* label : {calc->Last, calc->Secret_Make, calc->Make, calc->Label2})
        EXPECT_EQ(label->text(), "");
    delete calc.data();
}

TEST_F(CalcWindowTest, TheFaceIsFixedAndNoControlTakesTheFocus) {
    EXPECT_EQ(calc->windowTitle(), "מחשבון");
    EXPECT_EQ(calc->minimumSize(), calc->maximumSize());
    EXPECT_FALSE(calc->windowFlags().testAnyFlag(Qt::WindowMinMaxButtonsHint));
    for (const QWidget* child : calc->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<const QMenu*>(child)) {
            EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
        }
    }
}

// Accessibility

// The keys are buttons named by their captions, the signs described in words; the top row's
// boxes are read-only texts with names of their own, since they start empty.
TEST_F(CalcWindowTest, AScreenReaderFindsEveryKeyAButtonAndEveryBoxNamed) {
    EXPECT_EQ(unnamedControls(calc), std::vector<std::string>());
    EXPECT_EQ(accessibleName(calc->Label2), "תצוגה");
    EXPECT_EQ(accessibleName(calc->Last), "המספר הקודם");
    EXPECT_FALSE(accessibleName(calc->Make).isEmpty());
    EXPECT_NE(accessibleName(calc->Make), accessibleName(calc->Secret_Make));
    for (MouseLabel* box : {calc->Last, calc->Secret_Make, calc->Make, calc->Label2}) {
        EXPECT_EQ(accessibleRole(box), QAccessible::EditableText) << controlName(box);
        EXPECT_TRUE(accessibleState(box).readOnly) << controlName(box);
        EXPECT_EQ(accessibleText(box), "") << controlName(box);
    }
    for (int index = 0; index < 20; ++index) {
        EXPECT_EQ(accessibleRole(key(index)), QAccessible::Button) << index;
        EXPECT_EQ(accessibleName(key(index)), key(index)->text()) << index;
        EXPECT_EQ(accessibleActions(key(index)),
                  QStringList(QAccessibleActionInterface::pressAction()))
            << index;
    }
    EXPECT_EQ(accessibleName(key(19)), "נקה");
    EXPECT_EQ(accessibleDescription(captioned(u'*')), "כפל");
    EXPECT_EQ(accessibleDescription(captioned(u'7')), "");
}

// Pressed through a screen reader, a key does what a click does, and the boxes read what they
// show after each change; an operator box offers its menu only while it shows an operator.
TEST_F(CalcWindowTest, KeysPressedThroughAScreenReaderComputeAndTheBoxesReadTheirTexts) {
    const QString press = QAccessibleActionInterface::pressAction();
    const QString showMenu = QAccessibleActionInterface::showMenuAction();
    EXPECT_EQ(accessibleActions(calc->Make), QStringList());

    for (const QChar caption : QStringLiteral("12+"))
        ASSERT_TRUE(doAccessibleAction(captioned(caption), press));
    EXPECT_EQ(accessibleText(calc->Label2), "12");
    EXPECT_EQ(accessibleText(calc->Make), "+");
    EXPECT_EQ(accessibleActions(calc->Make), QStringList(showMenu));
    EXPECT_EQ(accessibleActions(calc->Secret_Make), QStringList());
    EXPECT_TRUE(drawnReleased(keyIndexOf(u'+')));

    ASSERT_TRUE(doAccessibleAction(captioned(u'5'), press));
    EXPECT_EQ(accessibleText(calc->Last), "12");
    EXPECT_EQ(accessibleText(calc->Secret_Make), "+");
    EXPECT_EQ(accessibleText(calc->Make), "");
    EXPECT_EQ(accessibleText(calc->Label2), "5");

    // The committed operator's menu, and a choice in it.
    ASSERT_TRUE(doAccessibleAction(calc->Secret_Make, showMenu));
    ASSERT_TRUE(calc->Op_I->isVisible());
    calc->Op_I->setActiveAction(calc->Op_I_Mu);
    QTest::keyClick(calc->Op_I, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(accessibleText(calc->Secret_Make), "*");
    ASSERT_TRUE(doAccessibleAction(captioned(u'='), press));
    EXPECT_EQ(accessibleText(calc->Label2), "60");
    EXPECT_EQ(accessibleText(calc->Last), "");

    // The display clears its entry, the previous operand comes back, as clicks on them do.
    for (const QChar caption : QStringLiteral("*3"))
        ASSERT_TRUE(doAccessibleAction(captioned(caption), press));
    ASSERT_TRUE(doAccessibleAction(calc->Last, press));
    EXPECT_EQ(accessibleText(calc->Label2), "60");
    ASSERT_TRUE(doAccessibleAction(calc->Label2, press));
    EXPECT_EQ(accessibleText(calc->Label2), "");

    // The exit key closes the window, as a click does.
    ASSERT_TRUE(doAccessibleAction(key(16), press));
    EXPECT_TRUE(calc->isUnloaded());
}

}  // namespace
}  // namespace tolvane
