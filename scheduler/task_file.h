#pragma once

#include "core/code_page.h"
#include "scheduler/task_list.h"

#include <QString>

namespace tolvane {

// The task list's file, Timing.Dat: read once when the task window loads, written whole at
// every save.
class TaskFile {
public:
    TaskFile(QString path, const CodePage& codePage);

    const QString& path() const { return path_; }

    // The tasks in the file; none when it is missing, empty or cannot be read. A file that is
    // there but cannot be read may hold tasks the user still wants, so it is never written
    // over afterwards.
    TaskColumns load();

    // Replaces the file with the tasks; false when nothing was written.
    bool save(const TaskColumns& tasks) const;

private:
    QString path_;
    const CodePage& codePage_;
    bool keepFile_ = false;
};

}  // namespace tolvane
