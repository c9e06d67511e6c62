#pragma once

#include "calculator/calc_engine.h"
#include "calculator/operator_menus.h"
#include "platform/platform.h"
#include "ui/form.h"

#include <array>
#include <chrono>
#include <deque>
#include <functional>

class QAction;
class QMenu;

namespace tolvane {

class MouseLabel;

// How long a typed key is shown pressed before its action: long enough to be seen.
inline constexpr std::chrono::milliseconds kKeyHold{100};

// The calculator window: the four texts of the engine on the top row (first operand, committed
// operator, chosen operator, display) and twenty key labels beneath, worked by the keyboard and
// the mouse. The window takes every key press itself: nothing in it can hold the focus.
//
// Input is handled one piece at a time. A typed key is shown pressed and the window's waiting
// events are handled once, so that the pressed look gets painted; input that arrives then waits
// until the key's action is done, and so does input that arrives while the key is held. A close
// asked for meanwhile comes after the key too. An operator menu pops up without a nested event
// loop: the input after it waits until it has closed, and its choice goes first.
class Calc : public Form {
    Q_OBJECT
public:
    // keyHold is how long a typed key stays pressed; tests shorten it.
    explicit Calc(const Platform& platform, std::chrono::milliseconds keyHold = kKeyHold);

    MouseLabel* Last;
    MouseLabel* Secret_Make;
    MouseLabel* Make;
    MouseLabel* Label2;  // the display
    std::array<MouseLabel*, 20> Label1{};
    // The white highlight lines along each key's left and top edge, hidden while it is pressed.
    std::array<QWidget*, 20> Line1{};
    std::array<QWidget*, 20> Line2{};

    QMenu* Op;  // changes or drops the chosen operator
    QAction* Op_P;
    QAction* Op_Mi;
    QAction* Op_Mu;
    QAction* Op_D;
    QAction* Op_CLR;
    QMenu* Op_I;  // changes or drops the committed operator
    QAction* Op_I_P;
    QAction* Op_I_Mi;
    QAction* Op_I_Mu;
    QAction* Op_I_D;
    QAction* Op_I_CLR;

    // A key press, by its Windows virtual-key code.
    void Form_KeyDown(int keyCode);
    void Label1_MouseDown(int index, Qt::MouseButton button);
    void Label1_MouseUp(int index, Qt::MouseButton button);
    void Label2_Click();
    void Last_Click();
    void Make_MouseDown();
    void Secret_Make_MouseDown();
    void Op_P_Click();
    void Op_Mi_Click();
    void Op_Mu_Click();
    void Op_D_Click();
    void Op_CLR_Click();
    void Op_I_P_Click();
    void Op_I_Mi_Click();
    void Op_I_Mu_Click();
    void Op_I_D_Click();
    void Op_I_CLR_Click();

    // Shows key index pressed, lets the window paint it, holds it, then shows it released.
    void down(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTopRow();
    void buildKeys();
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, const OperatorMenuItem& item, void (Calc::*handler)());
    // Runs the input now, or after the input being handled, in the order it came.
    void handleInput(std::function<void()> input);
    void runPendingInput();
    void popUpMenu(QMenu* menu);
    void menuClosed();
    void drawKey(int index, bool pressed);
    void chooseMenuItem(OperatorMenu menu, std::size_t item);
    void showState();
    void copyDisplay();
    void pasteClipboard();

    Platform platform_;
    std::chrono::milliseconds keyHold_;
    CalcEngine engine_;
    std::deque<std::function<void()>> pendingInput_;
    bool handlingInput_ = false;
    bool menuOpen_ = false;      // the input waits for an operator menu
    bool inEventRound_ = false;  // a typed key lets the window's waiting events run
    bool closeWanted_ = false;   // asked to close while handling input
};

}  // namespace tolvane
