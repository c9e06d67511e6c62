#include "scheduler/task_scheduler.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

QDateTime at(int month, int day, int hour, int minute, int second = 0) {
    return {QDate(2024, month, day), QTime(hour, minute, second), Qt::UTC};
}

struct Span {
    QDateTime from;
    QDateTime until;
    bool covers(const QDateTime& t) const { return from <= t && t < until; }
};

// The machine around the scheduler: a clock moved by the test, a connection that goes up and
// down on a timetable and also follows dialling and hanging up, and a log of what was done.
class SimulatedMachine : public TaskActions {
public:
    QList<QPair<QDateTime, bool>> connectionChanges;
    Span readerFails;
    bool connected = true;
    QStringList log;
    QList<QStringList> savedCodes;

    void moveClockTo(const QDateTime& t) {
        now_ = t;
        while (nextChange_ < connectionChanges.size() &&
               connectionChanges.at(nextChange_).first <= t)
            connected = connectionChanges.at(nextChange_++).second;
    }

    ConnectionAnswer readConnection() override {
        if (readerFails.covers(now_))
            return ConnectionAnswer::Failed;
        return connected ? ConnectionAnswer::Connected : ConnectionAnswer::NotConnected;
    }
    void openTarget(const QString& target) override { note(u"open "_s + target); }
    void dial() override {
        note(u"dial"_s);
        connected = true;
    }
    void hangUp() override {
        note(u"hang up"_s);
        connected = false;
    }
    void shutDown() override { note(u"shut down"_s); }
    void showMessage(const QString& text) override { note(u"box "_s + text); }
    void saveTasks(const TaskColumns& tasks) override { savedCodes.append(tasks.codes); }

private:
    void note(const QString& what) { log.append(now_.toString(u"MM-dd hh:mm:ss "_s) + what); }

    QDateTime now_;
    qsizetype nextChange_ = 0;
};

// Thirty days of five-second ticks from 27 February 2024, 08:00, with the connection up at
// the start, going down and up, failing for ten minutes, and the editor open three times.
TEST(TaskSchedulerSimulation, ThirtyDaysOfTicksRunEveryTaskWhenItsTriggerSaysAndOnlyThen) {
    const QStringList codes = {
        u"T|9:5|P|nine-oh-five|"_s,
        u"S|P|at-start|"_s,
        u"T|23:30:45|S|"_s,
        u"T|25:00|P|never|"_s,
        u"T|00:00|W|midnight|"_s,
        u"D|29/02/23|P|leap-day|"_s,
        u"C|P|on-connect|"_s,
        u"D|1.3|U|"_s,
        u"X|P|unknown|"_s,
        u"T|10:03|P|covered|"_s,
        u"T|7:00|D|"_s,
        u"D|31/04|P|no-such-day|"_s,
        u"D|15-03-2024|C|"_s,
    };
    TaskColumns tasks;
    for (const QString& code : codes)
        tasks.append({u"trigger"_s, u"action"_s, code});

    SimulatedMachine machine;
    machine.connectionChanges = {
        {at(2, 27, 12, 0), false},    {at(2, 27, 12, 20), true},
        {at(2, 28, 9, 0), true},  // after the hang-up task of 7:00
        {at(3, 10, 20, 0, 3), false}, {at(3, 10, 20, 0, 6), true},  // between two ticks
        {at(3, 14, 23, 0), false},                                  // up again by the dial task
        {at(3, 20, 10, 10), false},   {at(3, 20, 10, 20), true},    // while the editor is open
    };
    machine.readerFails = {at(3, 2, 14, 0), at(3, 2, 14, 10)};
    const QList<Span> editorOpen = {{at(2, 27, 8, 0, 1), at(2, 27, 8, 3)},
                                    {at(2, 27, 10, 1, 30), at(2, 27, 10, 5)},
                                    {at(3, 20, 10, 0), at(3, 20, 10, 30)}};

    const QDateTime start = at(2, 27, 8, 0);
    machine.moveClockTo(start);
    TaskScheduler scheduler(machine);
    scheduler.begin();
    const qint64 firstTick = start.toSecsSinceEpoch() + 2;
    const qint64 end = start.addDays(30).toSecsSinceEpoch();
    for (qint64 second = firstTick; second < end; second += 5) {
        const QDateTime now = QDateTime::fromSecsSinceEpoch(second, Qt::UTC);
        if (std::any_of(editorOpen.begin(), editorOpen.end(),
                        [&](const Span& span) { return span.covers(now); }))
            continue;
        machine.moveClockTo(now);
        scheduler.tick(tasks, now);
    }

    EXPECT_EQ(machine.log, QStringList({
                               u"02-27 08:03:02 open at-start"_s,
                               u"02-27 09:05:02 open nine-oh-five"_s,
                               u"02-27 12:20:02 open on-connect"_s,
                               u"02-27 23:30:02 shut down"_s,
                               u"02-28 00:00:02 open midnight"_s,
                               u"02-28 07:00:02 hang up"_s,
                               u"02-28 09:00:02 open on-connect"_s,
                               u"02-28 10:03:02 open covered"_s,
                               u"02-29 00:00:02 open leap-day"_s,
                               u"03-01 00:00:02 box Update"_s,
                               u"03-02 14:00:02 box ERROR"_s,
                               u"03-02 14:10:02 open on-connect"_s,
                               u"03-15 00:00:02 dial"_s,
                               u"03-15 00:00:07 open on-connect"_s,
                           }));
    const QStringList kept = {u"S|P|at-start|"_s, u"T|25:00|P|never|"_s, u"C|P|on-connect|"_s,
                              u"X|P|unknown|"_s, u"D|31/04|P|no-such-day|"_s};
    EXPECT_EQ(tasks.codes, kept);
    EXPECT_EQ(tasks.triggerTexts.size(), kept.size());
    ASSERT_EQ(machine.savedCodes.size(), 8) << "one save per task gone";
    for (qsizetype i = 0; i < machine.savedCodes.size(); ++i)
        EXPECT_EQ(machine.savedCodes.at(i).size(), codes.size() - 1 - i);
    EXPECT_EQ(machine.savedCodes.last(), kept);
}

}  // namespace
}  // namespace tolvane
