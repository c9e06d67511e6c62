#include "scheduler/timing_window.h"

#include "core/line_file.h"
#include "scheduler/task_choices.h"
#include "scheduler/timing_add.h"
#include "ui/list_columns.h"
#include "ui/window_registry.h"
#include "ui/wrapping_button.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <utility>

namespace tolvane {
namespace {

constexpr int kTickMilliseconds = 5000;
const QString kListFileName = QStringLiteral("Timing.Dat");

}  // namespace

Timing::Timing(const Platform& platform, WindowRegistry& windows)
    : Form(QStringLiteral("Timing"), kFixedDialogFrame),
      platform_(platform),
      windows_(windows),
      file_(fileInFolder(platform.app.dataFolder(), kListFileName), platform.codePage),
      actions_(platform, [this](const TaskColumns& tasks) { SaveList(tasks); }),
      scheduler_(actions_) {
    setWindowTitle(QStringLiteral("תזמון משימות"));
    setFixedClientTwips(6375, 3495);

    Label1 = named(new QLabel(QStringLiteral("מ\"ס:"), this), "Label1");
    Label3 = named(new QLabel(QStringLiteral("שעת התזמון:"), this), "Label3");
    Label2 = named(new QLabel(QStringLiteral("משימה מתוזמנת:"), this), "Label2");
    placeTwips(Label1, 5880, 120, 375, 255);
    placeTwips(Label3, 4080, 120, 1695, 255);
    placeTwips(Label2, 1440, 120, 2535, 255);

    const int rows = static_cast<int>(kMaxTasks);
    List1 = ListColumns::makeColumn(this, "List1", {5880, 360, 375, 2985}, rows);
    List2 = ListColumns::makeColumn(this, "List2", {4080, 360, 1695, 2985}, rows);
    List3 = ListColumns::makeColumn(this, "List3", {1440, 360, 2535, 2985}, rows);
    List4 = named(new QListWidget(this), "List4");
    List4->hide();
    columns_ = new ListColumns(List1, {List2, List3}, rows);
    // The numbers only show which row stands where.
    List1->setEnabled(false);

    Command1 = addCommand("Command1", QStringLiteral("הוספה"), 360, 375);
    Command3 = addCommand("Command3", QStringLiteral("עריכה"), 720, 375);
    Command2 = addCommand("Command2", QStringLiteral("מחיקה"), 1080, 375);
    Command4 = addCommand("Command4", QStringLiteral("הרצה"), 1440, 375);
    Command5 = addCommand("Command5", QStringLiteral("נקה רשימה"), 1800, 375);
    Command9 = addCommand("Command9", QStringLiteral("סגור ללא שמירה"), 2400, 495);
    Command6 = addCommand("Command6", QStringLiteral("סגור ושמור שינויים"), 2880, 495);
    Command1->setFocus();

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(kTickMilliseconds);

    // A row set from code reports the change as a click does.
    connect(List1, &QListWidget::currentRowChanged, this, &Timing::List1_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &Timing::List2_Click);
    connect(List3, &QListWidget::currentRowChanged, this, &Timing::List3_Click);
    connect(Command1, &QPushButton::clicked, this, &Timing::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Timing::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Timing::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Timing::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Timing::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Timing::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &Timing::Command9_Click);
    connect(Timer1, &QTimer::timeout, this, &Timing::Timer1_Timer);
}

QPushButton* Timing::addCommand(const char* name, const QString& caption, int top, int height) {
    auto* command = named(new WrappingButton(caption, this), name);
    placeTwips(command, 120, top, 1215, height);
    return command;
}

void Timing::Form_Load() {
    scheduler_.begin();
    LoadList();
    Timer1->start();
}

void Timing::LoadList() {
    showTasks(file_.load(), -1);
}

void Timing::SaveList(const TaskColumns& tasks) {
    if (file_.save(tasks))
        return;
    platform_.messages.show(QStringLiteral("There has been a error!"), MessageBoxes::Buttons::Ok,
                            MessageBoxes::Icon::None, QStringLiteral("Error"));
    platform_.messages.show(QDir::toNativeSeparators(file_.path()), MessageBoxes::Buttons::Ok,
                            MessageBoxes::Icon::None, platform_.app.title());
}

void Timing::Timer1_Timer() {
    if (isVisible()) {
        Timer1->stop();
        return;
    }
    TaskColumns tasks = this->tasks();
    if (!scheduler_.tick(tasks, platform_.clock.now()))
        return;
    // A tick only ever removes tasks.
    if (tasks.size() != List2->count())
        showTasks(tasks, -1);
    if (std::exchange(showWhenIdle_, false))
        WindowRegistry::bringUp(this);
}

void Timing::setVisible(bool visible) {
    // The lists a waiting tick works on stay out of the user's hands: the editor opens once
    // the tick is done.
    if (visible && scheduler_.isBusy()) {
        showWhenIdle_ = true;
        return;
    }
    Form::setVisible(visible);
}

TaskColumns Timing::tasks() const {
    return {listRows(List2), listRows(List3), listRows(List4)};
}

void Timing::showTasks(const TaskColumns& tasks, int selectedRow) {
    {
        const QSignalBlocker quietTriggers(List2);
        const QSignalBlocker quietActions(List3);
        List2->clear();
        List3->clear();
        List4->clear();
        List2->addItems(tasks.triggerTexts);
        List3->addItems(tasks.actionTexts);
        List4->addItems(tasks.codes);
    }
    columns_->selectRow(selectedRow);
}

void Timing::List1_Click() {
    columns_->selectRow(List1->currentRow());
}

void Timing::List2_Click() {
    columns_->selectRow(List2->currentRow());
}

void Timing::List3_Click() {
    columns_->selectRow(List3->currentRow());
}

Timing_add* Timing::disableForDialog() {
    setEnabled(false);
    Timing_add* dialog = windows_.load<Timing_add>();
    if (!dialog)
        setEnabled(true);
    return dialog;
}

void Timing::Command1_Click() {
    if (!hasRoomForTask(tasks()))
        return;
    Timing_add* dialog = disableForDialog();
    if (!dialog)
        return;
    windows_.show<Timing_add>();
    dialog->Stat->setText(QStringLiteral("0"));
    dialog->setWindowTitle(QStringLiteral("הוספת משימה חדשה"));
}

void Timing::Command3_Click() {
    const int row = List1->currentRow();
    if (row < 0 || row >= List2->count())
        return;
    Timing_add* dialog = disableForDialog();
    if (!dialog)
        return;
    // The dialog's own load has put the time in its box; the task's values go over it.
    windows_.show<Timing_add>();
    dialog->Stat->setText(QString::number(row + 1));
    SetOpt(*dialog, readTaskCode(splitTaskCode(rowText(List4, row))));
    dialog->setWindowTitle(QStringLiteral("עריכת קיצור דרך קיים"));
}

void Timing::SetOpt(Timing_add& dialog, const TaskCode& code) {
    TaskChoices choices = dialog.choices();
    applyTaskCode(choices, code);
    dialog.setChoices(choices);
}

void Timing::Command2_Click() {
    const int row = List2->currentRow();
    if (row < 0)
        return;
    TaskColumns tasks = this->tasks();
    tasks.removeRow(row);
    showTasks(tasks, -1);
}

void Timing::Command4_Click() {
    const int row = List2->currentRow();
    if (row < 0)
        return;
    const TaskCode code = readTaskCode(splitTaskCode(rowText(List4, row)));
    if (code.action == Action::ShutDown &&
        platform_.messages.show(QStringLiteral("? פעולה זאת תכבה את המחשב, אתה בטוח שברצונך לבצעה"),
                                MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::None,
                                platform_.app.title()) != MessageBoxes::Answer::Yes)
        return;
    runTaskAction(actions_, code);
}

void Timing::Command5_Click() {
    const auto answer = platform_.messages.show(
        QStringLiteral("? פעולה זאת תנקה את כל הרשימה, אתה בטוח שברצונך לבצעה"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::None, platform_.app.title());
    if (answer == MessageBoxes::Answer::Yes)
        showTasks({}, -1);
}

void Timing::Command6_Click() {
    SaveList(tasks());
    close();
}

void Timing::Command9_Click() {
    close();
}

void Timing::putTask(qsizetype stat, const TaskEntry& entry) {
    TaskColumns tasks = this->tasks();
    placeTaskEntry(tasks, stat, entry);
    showTasks(tasks, List1->currentRow());
}

void Timing::dialogClosed() {
    setEnabled(true);
    WindowRegistry::bringUp(this);
}

void Timing::Form_Unload(bool& cancel) {
    // The ending desktop session may close the window for good, though never from under a
    // tick that waits in one of its boxes.
    const bool ending = platform_.program.sessionEnding();
    if (ending && !scheduler_.isBusy())
        return;
    cancel = true;
    // While the add/edit dialog is open it is the only way back to this window.
    if (!ending && !isEnabled() && windows_.find<Timing_add>()) {
        windows_.show<Timing_add>();
        return;
    }
    Timer1->start();
    hide();
}

}  // namespace tolvane
