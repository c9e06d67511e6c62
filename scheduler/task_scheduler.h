#pragma once

#include "scheduler/connection_edge.h"
#include "scheduler/task_actions.h"
#include "scheduler/task_code.h"
#include "scheduler/task_list.h"

#include <QDateTime>

namespace tolvane {

// The scheduler's tick without its timer: the window calls tick() every five seconds while
// the editor is hidden and keeps the timer stopped while it is shown.
class TaskScheduler {
public:
    explicit TaskScheduler(TaskActions& actions) : actions_(actions) {}

    // The window's load: the first tick from now on runs the at-start tasks, and a connection
    // already up does not count as new; nor does one found up by a tick when the connection
    // has come to be read from elsewhere. A tick meanwhile (in the connection test's box) does
    // nothing.
    void begin();

    // Runs the due tasks in row order, then removes the time and date tasks that ran, from
    // the highest row down, saving the list after each removal; a time or date shut-down
    // takes those that ran so far out before it asks for the power-off. A tick that starts
    // while an earlier one still waits in a message box does nothing and returns false.
    bool tick(TaskColumns& tasks, const QDateTime& now);

    // True while the load or a tick waits in one of its message boxes; the list a tick works
    // on must not be edited meanwhile.
    bool isBusy() const { return busy_; }

    bool connFlag() const { return connFlag_; }

private:
    bool IsConnected();
    void removeRanTasks(TaskColumns& tasks, const QList<qsizetype>& ranRows);

    TaskActions& actions_;
    ConnectionLooks looks_;
    bool connFlag_ = false;
    // Where connFlag_ was read from.
    quint64 connSource_ = 0;
    bool startFlag_ = false;
    bool busy_ = false;
};

}  // namespace tolvane
