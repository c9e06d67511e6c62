#include "scheduler/timing_window.h"

#include "scheduler/task_choices.h"
#include "scheduler/timing_add.h"
#include "ui/list_columns.h"
#include "ui/window_registry.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTimer>

namespace tolvane {

Timing::Timing(const Platform& platform, WindowRegistry& windows, TaskService& service)
    : ListEditor(
          {.name = QStringLiteral("Timing"),
           .caption = QStringLiteral("תזמון משימות"),
           .rows = static_cast<int>(kMaxTasks),
           .headingHeight = 255,
           .numbersName = QStringLiteral("מספרי המשימות"),
           .first = {QStringLiteral("שעת התזמון:"), QStringLiteral("שעות התזמון"), 4080, 1695},
           .second = {QStringLiteral("משימה מתוזמנת:"), QStringLiteral("המשימות המתוזמנות"), 1440,
                      2535}}),
      platform_(platform),
      windows_(windows),
      service_(service) {
    // The numbers only show which row stands where.
    List1->setEnabled(false);
    Timer1 = service.timer();
}

Timing::~Timing() {
    service_.detach(this);
}

void Timing::Form_Load() {
    // Made before the start-up ran the scheduler, the window starts it.
    service_.start();
    LoadList();
    service_.attach(this);
}

void Timing::LoadList() {
    showTasks(service_.tasks(), -1);
}

void Timing::SaveList(const TaskColumns& tasks) {
    service_.save(tasks);
}

void Timing::Timer1_Timer() {
    service_.tick();
}

void Timing::setVisible(bool visible) {
    // The lists a waiting tick works on stay out of the user's hands: the editor opens once
    // the tick is done.
    if (visible && service_.isBusy()) {
        service_.showWhenIdle();
        return;
    }
    Form::setVisible(visible);
}

void Timing::showTickedTasks(const TaskColumns& tasks) {
    showTasks(tasks, -1);
}

void Timing::bringUp() {
    WindowRegistry::bringUp(this);
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
    selectRow(selectedRow);
}

void Timing::Command1_Click() {
    if (!hasRoomForTask(tasks()))
        return;
    Timing_add* dialog = disableForDialog<Timing_add>(windows_);
    if (!dialog)
        return;
    windows_.show<Timing_add>();
    dialog->startAdding();
}

void Timing::Command3_Click() {
    const int row = List1->currentRow();
    if (row < 0 || row >= List2->count())
        return;
    Timing_add* dialog = disableForDialog<Timing_add>(windows_);
    if (!dialog)
        return;
    // The dialog's own load has put the time in its box; the task's values go over it.
    windows_.show<Timing_add>();
    dialog->startEditing(row + 1);
    SetOpt(*dialog, readTaskCode(splitTaskCode(rowText(List4, row))));
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
    runTaskAction(service_.actions(), code);
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

void Timing::Form_Unload(bool& cancel) {
    // The window carries the scheduler: a close only hides it, and it goes with the program.
    cancel = true;
    // While the add/edit dialog is open it is the only way back to this window.
    if (!isEnabled() && windows_.find<Timing_add>()) {
        windows_.show<Timing_add>();
        return;
    }
    Timer1->start();
    hide();
}

void Timing::closeEvent(QCloseEvent* event) {
    if (!platform_.program.sessionEnding()) {
        Form::closeEvent(event);
        return;
    }
    // A refused close would hold up the ending session, so the close is taken, but the window
    // only hides: the session manager also asks this for log-outs that are then cancelled.
    Timer1->start();
    event->accept();
}

}  // namespace tolvane
