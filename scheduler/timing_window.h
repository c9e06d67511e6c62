#pragma once

#include "platform/platform.h"
#include "scheduler/task_code.h"
#include "scheduler/task_service.h"
#include "ui/list_editor.h"

class QTimer;

namespace tolvane {

class Timing_add;
class WindowRegistry;

// The task window: the user's editor of the scheduler's task list (trigger texts in List2,
// action texts in List3, task codes in the hidden List4); while it is shown the scheduler
// pauses. Made when first opened, it takes the list over from the scheduler, which has run
// since start, and keeps it from then on: closing only hides it. Edits stay in memory, where
// the scheduler uses them, until a save writes Timing.Dat.
class Timing : public ListEditor, public TaskListView {
    Q_OBJECT
public:
    Timing(const Platform& platform, WindowRegistry& windows, TaskService& service);
    ~Timing() override;

    QTimer* Timer1;  // the scheduler's

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

    TaskColumns tasks() const override;
    void showTickedTasks(const TaskColumns& tasks) override;
    bool isShown() const override { return isVisible(); }
    void bringUp() override;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadList();
    void SaveList(const TaskColumns& tasks);
    // Sets the dialog's options and boxes from a task's code.
    static void SetOpt(Timing_add& dialog, const TaskCode& code);
    void showTasks(const TaskColumns& tasks, int selectedRow);

    Platform platform_;
    WindowRegistry& windows_;
    TaskService& service_;
};

}  // namespace tolvane
