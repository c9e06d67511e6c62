// A task's code line as Timing.Dat may hold it, and the time and date texts a user types. A code
// opened in the task dialog and saved unchanged must come back as the same task, and a time or
// date that reads must be in range, write back as itself and make its task due at that moment.
#include "scheduler/task_choices.h"
#include "scheduler/task_code.h"
#include "scheduler/task_trigger.h"
#include "testing/fuzz_check.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstddef>
#include <cstdint>

namespace {

using tolvane::fuzzCheck;
using tolvane::Trigger;

QString withoutLineEnds(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

bool isDueAt(Trigger trigger, const QString& value, const QDateTime& now) {
    tolvane::TaskCode code;
    code.trigger = trigger;
    code.triggerValue = value;
    return tolvane::isDue(code, {now, false, false});
}

void checkTime(const QString& text) {
    const auto time = tolvane::readTaskTime(text);
    if (!time)
        return;
    fuzzCheck(time->hour >= 0 && time->hour <= 23 && time->minute >= 0 && time->minute <= 59,
              "a time reads as an hour and a minute of the day");
    const QTime moment(time->hour, time->minute);
    const auto again = tolvane::readTaskTime(tolvane::dialogTimeText(moment));
    fuzzCheck(again && again->hour == time->hour && again->minute == time->minute,
              "a time as the dialog writes it reads the same");
    const QDate day(2024, 3, 1);
    fuzzCheck(isDueAt(Trigger::Time, text, QDateTime(day, moment.addSecs(59), Qt::UTC)),
              "a time is due throughout its minute");
    fuzzCheck(!isDueAt(Trigger::Time, text, QDateTime(day, moment.addSecs(60), Qt::UTC)),
              "a time is not due the minute after");
}

void checkDate(const QString& text) {
    const auto date = tolvane::readTaskDate(text);
    if (!date)
        return;
    const QDate inLeapYear(2024, date->month, date->day);
    fuzzCheck(inLeapYear.isValid(), "a date reads as a day of the year");
    fuzzCheck(isDueAt(Trigger::Date, text, QDateTime(inLeapYear, QTime(23, 59), Qt::UTC)),
              "a date is due all day");
    fuzzCheck(!isDueAt(Trigger::Date, text, QDateTime(inLeapYear.addDays(1), QTime(0, 0), Qt::UTC)),
              "a date is not due the day after");
    const QDate inOtherYear(2023, date->month, date->day);
    fuzzCheck(isDueAt(Trigger::Date, text, QDateTime(inOtherYear, QTime(12, 0), Qt::UTC)) ==
                  inOtherYear.isValid(),
              "a date is due in any year that has it");
}

void checkCode(const QString& line) {
    const QStringList fields = tolvane::splitTaskCode(line);
    const qsizetype lastBar = line.lastIndexOf(u'|');
    fuzzCheck(fields.isEmpty() ? lastBar < 0 : fields.join(u'|') + u'|' == line.left(lastBar + 1),
              "the fields are the code up to its last bar");

    const tolvane::TaskCode code = tolvane::readTaskCode(fields);
    fuzzCheck(code.triggerValue.isEmpty() || (code.trigger && tolvane::isOneShot(*code.trigger)),
              "only times and dates take a trigger value");
    fuzzCheck(code.actionValue.isEmpty() || code.action == tolvane::Action::Program ||
                  code.action == tolvane::Action::WebSite,
              "only programs and sites take an action value");

    // Opened in the dialog and saved without a change.
    tolvane::TaskChoices choices;
    tolvane::applyTaskCode(choices, code);
    const tolvane::TaskEntry entry = tolvane::buildTaskEntry(choices);
    for (const QString& column : {entry.triggerText, entry.actionText, entry.code})
        fuzzCheck(!column.contains(u'\r') && !column.contains(u'\n'), "a task stays on its lines");
    const tolvane::TaskCode saved = tolvane::readTaskCode(tolvane::splitTaskCode(entry.code));
    if (code.trigger) {
        fuzzCheck(saved.trigger == code.trigger &&
                      saved.triggerValue == withoutLineEnds(code.triggerValue),
                  "a saved code keeps its trigger and the trigger's value");
    }
    if (code.action) {
        fuzzCheck(
            saved.action == code.action && saved.actionValue == withoutLineEnds(code.actionValue),
            "a saved code keeps its action and the action's value");
    }
    tolvane::TaskChoices reopened;
    tolvane::applyTaskCode(reopened, saved);
    fuzzCheck(tolvane::buildTaskEntry(reopened).code == entry.code,
              "a code saved twice is the same code");

    if (code.trigger == Trigger::Time)
        checkTime(code.triggerValue);
    if (code.trigger == Trigger::Date)
        checkDate(code.triggerValue);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkCode(text);
    checkTime(text);
    checkDate(text);
    return 0;
}
