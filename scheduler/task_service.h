#pragma once

#include "platform/platform.h"
#include "scheduler/platform_task_actions.h"
#include "scheduler/task_file.h"
#include "scheduler/task_scheduler.h"

#include <QObject>

#include <optional>

class QTimer;

namespace tolvane {

// Where the task list lives once the task window is made: its list boxes, edited by the user.
class TaskListView {
public:
    virtual ~TaskListView() = default;
    virtual TaskColumns tasks() const = 0;
    // The tasks after a tick took some out, with no row selected.
    virtual void showTickedTasks(const TaskColumns& tasks) = 0;
    virtual bool isShown() const = 0;
    virtual void bringUp() = 0;
};

// The scheduler as it runs from start: the task list read from Timing.Dat and the tick every
// five seconds. Until the task window is first opened the list is kept here, so that start-up
// makes none of the window's controls; from then on the window's list boxes hold it, edits
// included, and the tick works on them while the window is hidden.
class TaskService : public QObject {
    Q_OBJECT
public:
    explicit TaskService(const Platform& platform);
    ~TaskService() override;

    // Once: the scheduler begins (at-start tasks, the connection as it stands), the list is
    // read and the tick starts.
    void start();
    bool started() const { return file_.has_value(); }

    // The list as it stands, wherever it lives.
    TaskColumns tasks() const;

    // The window takes over the list, or gives it back as it goes.
    void attach(TaskListView* view);
    void detach(const TaskListView* view);

    // The tick; while the window is shown it stops the timer instead, which the window
    // starts again as it hides.
    void tick();
    QTimer* timer() const { return timer_; }

    // True while the scheduler waits in one of its message boxes.
    bool isBusy() const { return scheduler_.isBusy(); }
    // The window asked to show while a tick waited: it comes up once the tick is done.
    void showWhenIdle() { showWhenIdle_ = true; }

    TaskActions& actions() { return actions_; }
    // Writes the list; a failure tells the user, naming the file.
    void save(const TaskColumns& tasks);

private:
    Platform platform_;
    std::optional<TaskFile> file_;  // made at start: finding its folder may create it
    PlatformTaskActions actions_;
    TaskScheduler scheduler_;
    QTimer* timer_;
    TaskColumns tasks_;  // while no window holds the list
    TaskListView* view_ = nullptr;
    bool showWhenIdle_ = false;
};

}  // namespace tolvane
