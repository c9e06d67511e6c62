#pragma once

#include "scheduler/task_code.h"
#include "scheduler/task_list.h"

#include <QString>
#include <QTime>

namespace tolvane {

// The add/edit dialog's choices: one trigger option, one action option, and its four boxes.
// A new dialog starts with a time task running a program.
struct TaskChoices {
    Trigger trigger = Trigger::Time;
    Action action = Action::Program;
    QString time = QStringLiteral("00:00");     // Text1
    QString date = QStringLiteral("21/01/01");  // Text2
    QString program;                            // Text3
    QString site;                               // Text4
};

// The time box's text on opening: hour and minute without leading zeros, 9:05 as "9:5".
QString dialogTimeText(QTime time);

// OK: the texts are taken as typed, nothing is checked, but a line break is dropped.
TaskEntry buildTaskEntry(const TaskChoices& choices);

// Editing: the options and boxes a task code selects. A half of the code with an unknown
// letter leaves that half of the choices as they were.
void applyTaskCode(TaskChoices& choices, const TaskCode& code);

// The dialog's mode label: 0 adds the entry as the last row, n replaces row n (1-based) in
// place. A row that is no longer there gets the entry as a new last row, so it is not lost.
void placeTaskEntry(TaskColumns& tasks, qsizetype stat, const TaskEntry& entry);

}  // namespace tolvane
