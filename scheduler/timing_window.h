#pragma once

#include "platform/platform.h"
#include "scheduler/platform_task_actions.h"
#include "scheduler/task_code.h"
#include "scheduler/task_file.h"
#include "scheduler/task_scheduler.h"
#include "ui/list_editor.h"

class QTimer;

namespace tolvane {

class Timing_add;
class WindowRegistry;

// The task window: hidden, the home of the scheduler, whose tick runs every five seconds;
// shown, the user's editor of the task list (trigger texts in List2, action texts in List3,
// task codes in the hidden List4), and the scheduler pauses. Closing only hides it.
// Edits stay in memory, where the scheduler uses them, until a save writes Timing.Dat.
class Timing : public ListEditor {
    Q_OBJECT
public:
    Timing(const Platform& platform, WindowRegistry& windows);

    QTimer* Timer1;

    // The scheduler tick.
    void Timer1_Timer();

    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;
    void Command5_Click() override;
    void Command6_Click() override;
    void Command9_Click() override;

    // The add/edit dialog's entry: over the task of that 1-based number, or as a new last
    // task for 0.
    void putTask(qsizetype stat, const TaskEntry& entry);

    // Held back while a tick waits in one of its boxes, and shown once the tick is done.
    void setVisible(bool visible) override;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadList();
    void SaveList(const TaskColumns& tasks);
    // Sets the dialog's options and boxes from a task's code.
    static void SetOpt(Timing_add& dialog, const TaskCode& code);
    TaskColumns tasks() const;
    void showTasks(const TaskColumns& tasks, int selectedRow);

    Platform platform_;
    WindowRegistry& windows_;
    TaskFile file_;  // TimingPath
    PlatformTaskActions actions_;
    TaskScheduler scheduler_;
    // Asked to show while a tick waited in a box.
    bool showWhenIdle_ = false;
};

}  // namespace tolvane
