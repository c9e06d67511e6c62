#pragma once

#include <QStringList>

namespace tolvane {

// One task as the user and the scheduler see it.
struct TaskEntry {
    QString triggerText;
    QString actionText;
    QString code;
};

// The task list as the editor's three parallel columns, row i of each belonging to task i.
struct TaskColumns {
    QStringList triggerTexts;
    QStringList actionTexts;
    QStringList codes;

    qsizetype size() const { return triggerTexts.size(); }
    void append(const TaskEntry& entry);
    void replace(qsizetype row, const TaskEntry& entry);
    void removeRow(qsizetype row);
};

constexpr qsizetype kMaxTasks = 15;

bool hasRoomForTask(const TaskColumns& tasks);

// Three file lines per task: trigger text, action text, code. A trailing group of one or two
// lines is kept as a task whose missing columns are empty: it never runs, and saving writes
// its lines back instead of losing them. Empty lines at the end of such a group are dropped
// first, so that a final empty line makes no task.
TaskColumns tasksFromLines(const QStringList& lines);
QStringList linesOfTasks(const TaskColumns& tasks);

}  // namespace tolvane
