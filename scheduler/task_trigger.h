#pragma once

#include "scheduler/task_code.h"

#include <QDateTime>

#include <optional>

namespace tolvane {

struct HourMinute {
    int hour;
    int minute;
};

struct DayMonth {
    int day;
    int month;
};

// Hours and minutes joined by ":", leading zeros optional, seconds after a further ":"
// allowed and dropped ("9:5", "09:05", "23:30:45"). Anything else has no value.
std::optional<HourMinute> readTaskTime(QStringView text);

// Day and month with an optional year, joined by "/", "." or "-" (one kind per date): the
// year is dropped, so 29/02 stands for every 29 February there is.
std::optional<DayMonth> readTaskDate(QStringView text);

// What the scheduler's tick knows besides the task: the moment, and whether this tick is the
// first since the program started and whether it sees a new connection.
struct TickMoment {
    QDateTime now;
    bool onStart = false;
    bool onConnect = false;
};

// A time or date value that cannot be read never makes its task due.
bool isDue(const TaskCode& code, const TickMoment& moment);

}  // namespace tolvane
