#include "scheduler/task_list.h"

namespace tolvane {

void TaskColumns::append(const TaskEntry& entry) {
    triggerTexts.append(entry.triggerText);
    actionTexts.append(entry.actionText);
    codes.append(entry.code);
}

void TaskColumns::replace(qsizetype row, const TaskEntry& entry) {
    triggerTexts.replace(row, entry.triggerText);
    actionTexts.replace(row, entry.actionText);
    codes.replace(row, entry.code);
}

void TaskColumns::removeRow(qsizetype row) {
    triggerTexts.removeAt(row);
    actionTexts.removeAt(row);
    codes.removeAt(row);
}

bool hasRoomForTask(const TaskColumns& tasks) {
    return tasks.size() < kMaxTasks;
}

TaskColumns tasksFromLines(const QStringList& lines) {
    // Empty lines after the last whole task, such as an editor's final line end, are no task.
    qsizetype count = lines.size();
    while (count % 3 != 0 && lines.at(count - 1).isEmpty())
        --count;
    TaskColumns tasks;
    for (qsizetype i = 0; i < count; i += 3)
        tasks.append({lines.at(i), lines.value(i + 1), lines.value(i + 2)});
    return tasks;
}

QStringList linesOfTasks(const TaskColumns& tasks) {
    QStringList lines;
    for (qsizetype row = 0; row < tasks.size(); ++row)
        lines << tasks.triggerTexts.at(row) << tasks.actionTexts.value(row)
              << tasks.codes.value(row);
    return lines;
}

}  // namespace tolvane
