#include "scheduler/task_trigger.h"

#include <QDate>

#include <algorithm>

namespace tolvane {
namespace {

// A number of one to `maxDigits` ASCII digits.
std::optional<int> readNumber(QStringView text, qsizetype maxDigits) {
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// A leap year, so that the day range of February allows the 29th.
constexpr int kAnyLeapYear = 2000;

}  // namespace

std::optional<HourMinute> readTaskTime(QStringView text) {
    const auto parts = text.trimmed().split(u':');
    if (parts.size() != 2 && parts.size() != 3)
        return std::nullopt;
    const auto hour = readNumber(parts.at(0), 2);
    const auto minute = readNumber(parts.at(1), 2);
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    if (parts.size() == 3) {
        const auto second = readNumber(parts.at(2), 2);
        if (!second || *second > 59)
            return std::nullopt;
    }
    return HourMinute{*hour, *minute};
}

std::optional<DayMonth> readTaskDate(QStringView text) {
    const QStringView trimmed = text.trimmed();
    const auto separator = std::find_if(trimmed.begin(), trimmed.end(), [](QChar c) {
        return c == u'/' || c == u'.' || c == u'-';
    });
    if (separator == trimmed.end())
        return std::nullopt;
    const auto parts = trimmed.split(*separator);
    if (parts.size() != 2 && parts.size() != 3)
        return std::nullopt;
    const auto day = readNumber(parts.at(0), 2);
    const auto month = readNumber(parts.at(1), 2);
    if (!day || !month || !QDate(kAnyLeapYear, *month, *day).isValid())
        return std::nullopt;
    if (parts.size() == 3 && !readNumber(parts.at(2), 4))
        return std::nullopt;
    return DayMonth{*day, *month};
}

bool isDue(const TaskCode& code, const TickMoment& moment) {
    if (!code.trigger)
        return false;
    switch (*code.trigger) {
        case Trigger::Time: {
            const auto time = readTaskTime(code.triggerValue);
            const QTime now = moment.now.time();
            return time && time->hour == now.hour() && time->minute == now.minute();
        }
        case Trigger::Date: {
            const auto date = readTaskDate(code.triggerValue);
            const QDate today = moment.now.date();
            return date && date->day == today.day() && date->month == today.month();
        }
        case Trigger::AtStart:
            return moment.onStart;
        case Trigger::OnConnect:
            return moment.onConnect;
    }
    return false;
}

}  // namespace tolvane
