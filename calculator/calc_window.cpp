#include "calculator/calc_window.h"

#include "calculator/calc_keys.h"
#include "calculator/mouse_label.h"
#include "calculator/windows_key_code.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMenu>

#include <thread>
#include <utility>

namespace tolvane {
namespace {

constexpr int kTopRowTop = 240;
constexpr int kTopRowHeight = 300;
constexpr int kKeysLeft = 240;
constexpr int kKeysTop = 600;
constexpr int kColumnStep = 600;
constexpr int kRowStep = 360;
constexpr int kKeyHeight = 255;
constexpr int kLastColumn = 4;
constexpr int kHighlightHeight = 240;

constexpr int kCopyKey = 18;
constexpr int kPasteKey = 17;
constexpr int kExitKey = 16;

const QColor kLavender(192, 192, 255);

// What a screen reader adds to a key whose caption is a sign: the sign's own name.
QString keyDescription(QStringView caption) {
    if (caption == u"+")
        return QStringLiteral("חיבור");
    if (caption == u"-")
        return QStringLiteral("חיסור");
    if (caption == u"*")
        return QStringLiteral("כפל");
    if (caption == u"/")
        return QStringLiteral("חילוק");
    if (caption == u"=")
        return QStringLiteral("שווה");
    if (caption == u".")
        return QStringLiteral("נקודה עשרונית");
    return {};
}

int keyWidth(int column) {
    return column == kLastColumn ? 615 : 495;
}

int highlightWidth(int column) {
    return column == kLastColumn ? 600 : 480;
}

// A box of the top row: sunken, and showing numbers the way they are written, "-" first.
void makeSunkenBox(QLabel* box, Qt::Alignment alignment) {
    box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    box->setAlignment(alignment | Qt::AlignVCenter);
    box->setLayoutDirection(Qt::LeftToRight);
}

QWidget* makeWhiteLine(QWidget* parent, const QRect& geometry) {
    auto* line = new QWidget(parent);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::white);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    // Lying on the key's edge, it must not take the key's clicks.
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setGeometry(geometry);
    return line;
}

}  // namespace

Calc::Calc(const Platform& platform, std::chrono::milliseconds keyHold)
    : Form(QStringLiteral("Calc"), kFixedDialogFrame), platform_(platform), keyHold_(keyHold) {
    setWindowTitle(QStringLiteral("מחשבון"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kLavender);
    setPalette(palette);
    setAutoFillBackground(true);
    // Every key press comes to the window itself.
    setFocusPolicy(Qt::StrongFocus);
    setFixedClientTwips(3495, 2175);

    buildTopRow();
    buildKeys();
    buildMenus();
}

void Calc::buildTopRow() {
    Last = named(new MouseLabel(MouseLabel::Kind::Box, this), "Last");
    Secret_Make = named(new MouseLabel(MouseLabel::Kind::Box, this), "Secret_Make");
    Make = named(new MouseLabel(MouseLabel::Kind::Box, this), "Make");
    Label2 = named(new MouseLabel(MouseLabel::Kind::Box, this), "Label2");
    // Empty at the start, so a screen reader knows them by their names and reads their texts.
    Last->setAccessibleName(QStringLiteral("המספר הקודם"));
    Secret_Make->setAccessibleName(QStringLiteral("הפעולה הממתינה לחישוב"));
    Make->setAccessibleName(QStringLiteral("הפעולה שנבחרה"));
    Label2->setAccessibleName(QStringLiteral("תצוגה"));
    // What a click on them does; an operator's menu opens only while it shows an operator.
    Last->setAccessibleDescription(QStringLiteral("לחיצה מחזירה אותו לתצוגה"));
    Label2->setAccessibleDescription(QStringLiteral("לחיצה מנקה אותה"));
    Secret_Make->setAccessibleAction(QAccessibleActionInterface::showMenuAction(), true);
    Make->setAccessibleAction(QAccessibleActionInterface::showMenuAction(), true);
    makeSunkenBox(Last, Qt::AlignLeft | Qt::AlignAbsolute);
    makeSunkenBox(Secret_Make, Qt::AlignHCenter);
    makeSunkenBox(Make, Qt::AlignHCenter);
    makeSunkenBox(Label2, Qt::AlignRight | Qt::AlignAbsolute);
    QPalette white = Label2->palette();
    white.setColor(QPalette::Window, Qt::white);
    Label2->setPalette(white);
    Label2->setAutoFillBackground(true);
    placeTwips(Last, 240, kTopRowTop, 495, kTopRowHeight);
    placeTwips(Secret_Make, 840, kTopRowTop, 255, kTopRowHeight);
    placeTwips(Make, 1080, kTopRowTop, 255, kTopRowHeight);
    placeTwips(Label2, 1440, kTopRowTop, 1815, kTopRowHeight);

    connect(Label2, &MouseLabel::clicked, this,
            [this] { handleInput([this] { Label2_Click(); }); });
    connect(Last, &MouseLabel::clicked, this, [this] { handleInput([this] { Last_Click(); }); });
    connect(Make, &MouseLabel::mouseDown, this,
            [this] { handleInput([this] { Make_MouseDown(); }); });
    connect(Secret_Make, &MouseLabel::mouseDown, this,
            [this] { handleInput([this] { Secret_Make_MouseDown(); }); });
}

void Calc::buildKeys() {
    for (int index = 0; index < static_cast<int>(kCalcKeys.size()); ++index) {
        const CalcKey& key = kCalcKeys.at(static_cast<std::size_t>(index));
        MouseLabel* label = named(new MouseLabel(MouseLabel::Kind::Key, this), "Label1");
        label->setText(key.caption.toString());
        label->setAccessibleDescription(keyDescription(key.caption));
        label->setAlignment(Qt::AlignCenter);
        const int left = kKeysLeft + key.column * kColumnStep;
        const int top = kKeysTop + key.row * kRowStep;
        placeTwips(label, left, top, keyWidth(key.column), kKeyHeight);
        connect(label, &MouseLabel::mouseDown, this, [this, index](Qt::MouseButton button) {
            handleInput([this, index, button] { Label1_MouseDown(index, button); });
        });
        connect(label, &MouseLabel::mouseUp, this, [this, index](Qt::MouseButton button) {
            handleInput([this, index, button] { Label1_MouseUp(index, button); });
        });
        Label1.at(static_cast<std::size_t>(index)) = label;
    }
    // The lines lie over the keys' edges, so they come after every key.
    for (std::size_t index = 0; index < kCalcKeys.size(); ++index) {
        const QRect key = Label1.at(index)->geometry();
        const int column = kCalcKeys.at(index).column;
        Line1.at(index) =
            named(makeWhiteLine(this, {key.topLeft(), QSize(1, twipsToPixels(kHighlightHeight))}),
                  "Line1");
        Line2.at(index) = named(
            makeWhiteLine(this, {key.topLeft(), QSize(twipsToPixels(highlightWidth(column)), 1)}),
            "Line2");
        drawKey(static_cast<int>(index), false);
    }
}

void Calc::buildMenus() {
    // Only ever popped up; the window has no menu bar.
    Op = named(new QMenu(QStringLiteral("Op"), this), "Op");
    Op_I = named(new QMenu(QStringLiteral("Op_I"), this), "Op_I");
    for (QMenu* menu : {Op, Op_I}) {
        menu->setLayoutDirection(Qt::RightToLeft);
        connect(menu, &QMenu::aboutToHide, this, &Calc::menuClosed);
    }
    Op_P = addMenuItem(Op, kOpMenuItems[0], &Calc::Op_P_Click);
    Op_Mi = addMenuItem(Op, kOpMenuItems[1], &Calc::Op_Mi_Click);
    Op_Mu = addMenuItem(Op, kOpMenuItems[2], &Calc::Op_Mu_Click);
    Op_D = addMenuItem(Op, kOpMenuItems[3], &Calc::Op_D_Click);
    Op_CLR = addMenuItem(Op, kOpMenuItems[4], &Calc::Op_CLR_Click);
    Op_I_P = addMenuItem(Op_I, kOpIMenuItems[0], &Calc::Op_I_P_Click);
    Op_I_Mi = addMenuItem(Op_I, kOpIMenuItems[1], &Calc::Op_I_Mi_Click);
    Op_I_Mu = addMenuItem(Op_I, kOpIMenuItems[2], &Calc::Op_I_Mu_Click);
    Op_I_D = addMenuItem(Op_I, kOpIMenuItems[3], &Calc::Op_I_D_Click);
    Op_I_CLR = addMenuItem(Op_I, kOpIMenuItems[4], &Calc::Op_I_CLR_Click);
}

QAction* Calc::addMenuItem(QMenu* menu, const OperatorMenuItem& item, void (Calc::*handler)()) {
    QAction* action = menu->addAction(item.caption.toString());
    action->setObjectName(item.name.toString());
    // The choice answers the menu, which opened before the input that waits for it.
    connect(action, &QAction::triggered, this, [this, handler] {
        pendingInput_.emplace_front([this, handler] { (this->*handler)(); });
        runPendingInput();
    });
    return action;
}

void Calc::handleInput(std::function<void()> input) {
    pendingInput_.push_back(std::move(input));
    runPendingInput();
}

void Calc::runPendingInput() {
    if (handlingInput_ || menuOpen_)
        return;
    handlingInput_ = true;
    while (!pendingInput_.empty() && !menuOpen_) {
        const std::function<void()> next = std::move(pendingInput_.front());
        pendingInput_.pop_front();
        next();
        // A window on its way out takes no more input.
        if (closeWanted_)
            pendingInput_.clear();
    }
    handlingInput_ = false;
    if (std::exchange(closeWanted_, false))
        close();
}

void Calc::closeEvent(QCloseEvent* event) {
    if (!handlingInput_) {
        Form::closeEvent(event);
        return;
    }
    // Closing destroys the window, which must not happen under the input being handled. A
    // close that the input asked for comes right after it; one that came in while a key was
    // drawn pressed takes its turn after the input that came before it.
    event->ignore();
    if (inEventRound_)
        pendingInput_.emplace_back([this] { closeWanted_ = true; });
    else
        closeWanted_ = true;
}

void Calc::keyPressEvent(QKeyEvent* event) {
    const std::optional<int> code = windowsKeyCode(static_cast<Qt::Key>(event->key()),
                                                   event->modifiers(), event->nativeScanCode());
    if (!code) {
        event->ignore();
        return;
    }
    handleInput([this, keyCode = *code] { Form_KeyDown(keyCode); });
}

void Calc::Form_KeyDown(int keyCode) {
    if (keyCode == kEscapeKeyCode) {
        close();
        return;
    }
    if (keyCode == kBackspaceKeyCode) {
        engine_.backspace();
        showState();
        return;
    }
    const std::optional<int> index = keyIndexForCode(keyCode);
    if (!index)
        return;
    down(*index);
    engine_.typeKey(*index);
    showState();
}

void Calc::down(int index) {
    drawKey(index, true);
    repaint();
    inEventRound_ = true;
    platform_.program.processEvents();
    inEventRound_ = false;
    // On the monotonic clock, which no change of the time of day can stretch.
    const QDeadlineTimer released(keyHold_, Qt::PreciseTimer);
    while (!released.hasExpired())
        std::this_thread::sleep_for(released.remainingTimeAsDuration());
    drawKey(index, false);
}

void Calc::drawKey(int index, bool pressed) {
    const auto key = static_cast<std::size_t>(index);
    if (pressed)
        Label1.at(key)->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    else
        Label1.at(key)->setFrameStyle(QFrame::Box | QFrame::Plain);
    Line1.at(key)->setVisible(!pressed);
    Line2.at(key)->setVisible(!pressed);
}

void Calc::Label1_MouseDown(int index, Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        drawKey(index, true);
}

void Calc::Label1_MouseUp(int index, Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    drawKey(index, false);
    if (index == kCopyKey) {
        copyDisplay();
    } else if (index == kPasteKey) {
        pasteClipboard();
    } else if (index == kExitKey) {
        close();
        return;
    } else {
        // Clearing and the keys with a caption to enter.
        engine_.clickKey(index);
    }
    showState();
}

void Calc::copyDisplay() {
    // A clipboard that cannot be written is left as it was, without a word.
    platform_.clipboard.setText(engine_.label2());
}

void Calc::pasteClipboard() {
    // Nothing to read is nothing to paste.
    if (const std::optional<QString> text = platform_.clipboard.text())
        engine_.Pasting(*text);
}

void Calc::Label2_Click() {
    engine_.clearEntry();
    showState();
}

void Calc::Last_Click() {
    engine_.recallLast();
    showState();
}

void Calc::Make_MouseDown() {
    if (engine_.menuOpens(OperatorMenu::Op))
        popUpMenu(Op);
}

void Calc::Secret_Make_MouseDown() {
    if (engine_.menuOpens(OperatorMenu::Op_I))
        popUpMenu(Op_I);
}

void Calc::popUpMenu(QMenu* menu) {
    // Popped up without a nested event loop: its choice comes back as input of its own.
    menu->popup(QCursor::pos());
    // A menu that could not be shown never closes.
    menuOpen_ = menu->isVisible();
}

void Calc::menuClosed() {
    menuOpen_ = false;
    // A chosen item is triggered right after its menu hides, and must come before the input
    // that waited; with no item chosen, that input goes on a moment later.
    QMetaObject::invokeMethod(this, &Calc::runPendingInput, Qt::QueuedConnection);
}

void Calc::chooseMenuItem(OperatorMenu menu, std::size_t item) {
    engine_.chooseMenuItem(menu, operatorMenuItems(menu).at(item));
    showState();
}

void Calc::Op_P_Click() {
    chooseMenuItem(OperatorMenu::Op, 0);
}

void Calc::Op_Mi_Click() {
    chooseMenuItem(OperatorMenu::Op, 1);
}

void Calc::Op_Mu_Click() {
    chooseMenuItem(OperatorMenu::Op, 2);
}

void Calc::Op_D_Click() {
    chooseMenuItem(OperatorMenu::Op, 3);
}

void Calc::Op_CLR_Click() {
    chooseMenuItem(OperatorMenu::Op, 4);
}

void Calc::Op_I_P_Click() {
    chooseMenuItem(OperatorMenu::Op_I, 0);
}

void Calc::Op_I_Mi_Click() {
    chooseMenuItem(OperatorMenu::Op_I, 1);
}

void Calc::Op_I_Mu_Click() {
    chooseMenuItem(OperatorMenu::Op_I, 2);
}

void Calc::Op_I_D_Click() {
    chooseMenuItem(OperatorMenu::Op_I, 3);
}

void Calc::Op_I_CLR_Click() {
    chooseMenuItem(OperatorMenu::Op_I, 4);
}

void Calc::showState() {
    Last->showText(engine_.last());
    Secret_Make->showText(engine_.secretMake());
    Make->showText(engine_.make());
    Label2->showText(engine_.label2());
}

}  // namespace tolvane
