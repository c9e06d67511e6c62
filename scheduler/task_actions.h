#pragma once

#include "scheduler/connection_edge.h"
#include "scheduler/task_code.h"
#include "scheduler/task_list.h"

#include <QString>

namespace tolvane {

// Everything the scheduler asks of the world outside. None of the results is looked at: a
// failed open, dial, hang-up or shut-down still counts as done.
class TaskActions {
public:
    virtual ~TaskActions() = default;
    virtual ConnectionAnswer readConnection() = 0;
    // Where the connection is read from; answers from two sources are never compared.
    virtual quint64 connectionSource() { return 0; }
    // The desktop's "open" on a program, file or address, passed unchanged.
    virtual void openTarget(const QString& target) = 0;
    virtual void dial() = 0;
    virtual void hangUp() = 0;
    // Starts the shut-down and returns at once.
    virtual void shutDown() = 0;
    // An OK box with the program's title; it waits for the user in a nested event loop, in
    // which the scheduler's timer may fire again.
    virtual void showMessage(const QString& text) = 0;
    // Writes the task list to its file; a failure is reported there and the list in memory
    // stays as it is.
    virtual void saveTasks(const TaskColumns& tasks) = 0;
};

// Does what the task's action says, once; a task without a known action does nothing.
void runTaskAction(TaskActions& actions, const TaskCode& code);

}  // namespace tolvane
