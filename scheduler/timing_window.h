#pragma once

#include "platform/platform.h"
#include "scheduler/platform_task_actions.h"
#include "scheduler/task_code.h"
#include "scheduler/task_file.h"
#include "scheduler/task_scheduler.h"
#include "ui/form.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace tolvane {

class ListColumns;
class Timing_add;
class WindowRegistry;

// The task window: hidden, the home of the scheduler, whose tick runs every five seconds;
// shown, the user's editor of the task list, and the scheduler pauses. Closing only hides it.
// Edits stay in memory, where the scheduler uses them, until a save writes Timing.Dat.
class Timing : public Form {
    Q_OBJECT
public:
    Timing(const Platform& platform, WindowRegistry& windows);

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label2;
    QListWidget* List1;  // the numbers 1 to 15
    QListWidget* List2;  // trigger texts
    QListWidget* List3;  // action texts
    QListWidget* List4;  // hidden: task codes
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command9;
    QPushButton* Command6;
    QTimer* Timer1;

    // The scheduler tick.
    void Timer1_Timer();

    void List1_Click();
    void List2_Click();
    void List3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();

    // The add/edit dialog's entry: over the task of that 1-based number, or as a new last
    // task for 0.
    void putTask(qsizetype stat, const TaskEntry& entry);
    // The add/edit dialog has gone: the editor takes the user again.
    void dialogClosed();

    void setVisible(bool visible) override;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void LoadList();
    void SaveList(const TaskColumns& tasks);
    // Sets the dialog's options and boxes from a task's code.
    static void SetOpt(Timing_add& dialog, const TaskCode& code);
    TaskColumns tasks() const;
    void showTasks(const TaskColumns& tasks, int selectedRow);
    QPushButton* addCommand(const char* name, const QString& caption, int top, int height);
    // Disables this window and makes the add/edit dialog, the only way to enable it again.
    Timing_add* disableForDialog();

    Platform platform_;
    WindowRegistry& windows_;
    ListColumns* columns_;
    TaskFile file_;  // TimingPath
    PlatformTaskActions actions_;
    TaskScheduler scheduler_;
    // Asked to show while a tick waited in a box.
    bool showWhenIdle_ = false;
};

}  // namespace tolvane
