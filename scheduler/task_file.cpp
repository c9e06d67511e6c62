#include "scheduler/task_file.h"

#include "core/line_file.h"

namespace tolvane {

TaskFile::TaskFile(QString path, const CodePage& codePage)
    : path_(std::move(path)), codePage_(codePage) {}

TaskColumns TaskFile::load() {
    const LineFileRead read = readLineFile(path_, codePage_);
    keepFile_ = read.status == LineFileRead::Status::Unreadable;
    return tasksFromLines(read.lines);
}

bool TaskFile::save(const TaskColumns& tasks) const {
    return !keepFile_ && writeLineFile(path_, linesOfTasks(tasks), codePage_);
}

}  // namespace tolvane
