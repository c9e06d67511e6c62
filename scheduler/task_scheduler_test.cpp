#include "scheduler/task_scheduler.h"

#include <gtest/gtest.h>

#include <functional>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

// Writes down every call in order; a save is written down with the codes it saved.
class FakeTaskActions : public TaskActions {
public:
    ConnectionAnswer connection = ConnectionAnswer::NotConnected;
    quint64 source = 0;
    int connectionReads = 0;
    QStringList log;
    // Runs while a message box waits, as a timer event would.
    std::function<void(const QString&)> whileBoxWaits;

    ConnectionAnswer readConnection() override {
        ++connectionReads;
        return connection;
    }
    quint64 connectionSource() override { return source; }
    void openTarget(const QString& target) override { log << u"open "_s + target; }
    void dial() override { log << u"dial"_s; }
    void hangUp() override { log << u"hang up"_s; }
    void shutDown() override { log << u"shut down"_s; }
    void showMessage(const QString& text) override {
        log << u"box "_s + text;
        if (whileBoxWaits)
            whileBoxWaits(text);
    }
    void saveTasks(const TaskColumns& tasks) override {
        log << u"save "_s + tasks.codes.join(u' ');
    }
};

TaskColumns tasksWithCodes(const QStringList& codes) {
    TaskColumns tasks;
    for (const QString& code : codes)
        tasks.append({u"trigger "_s + code, u"action "_s + code, code});
    return tasks;
}

QDateTime at(int hour, int minute, int second, int day = 10) {
    return {QDate(2024, 6, day), QTime(hour, minute, second), Qt::UTC};
}

class TaskSchedulerTest : public testing::Test {
protected:
    FakeTaskActions actions;
    TaskScheduler scheduler{actions};
};

TEST_F(TaskSchedulerTest, DueTasksRunInRowOrderAndOneShotsGoFromTheHighestRowDown) {
    TaskColumns tasks = tasksWithCodes(
        {u"T|23:30|P|a|"_s, u"S|W|b|"_s, u"D|1/1|P|x|"_s, u"T|23:30:50|W|c|"_s, u"C|D|"_s});
    scheduler.begin();
    EXPECT_TRUE(scheduler.tick(tasks, at(23, 30, 3)));
    EXPECT_EQ(actions.log, QStringList({u"open a"_s, u"open b"_s, u"open c"_s,
                                        u"save T|23:30|P|a| S|W|b| D|1/1|P|x| C|D|"_s,
                                        u"save S|W|b| D|1/1|P|x| C|D|"_s}));
    EXPECT_EQ(tasks.triggerTexts,
              QStringList({u"trigger S|W|b|"_s, u"trigger D|1/1|P|x|"_s, u"trigger C|D|"_s}));
    EXPECT_EQ(tasks.actionTexts.size(), 3);

    actions.log.clear();
    scheduler.tick(tasks, at(23, 30, 8));
    scheduler.tick(tasks, at(23, 30, 13, 11));
    EXPECT_TRUE(actions.log.isEmpty()) << "gone, and the start was taken by the first tick";
}

TEST_F(TaskSchedulerTest, EveryActionLetterReachesItsCallAndAShutDownDoesNotStopTheTick) {
    TaskColumns tasks =
        tasksWithCodes({u"S|S|"_s, u"S|P|C:\\a b\\x.exe|"_s, u"S|W|http://x.example/a?b=c&d|"_s,
                        u"S|D|"_s, u"S|C|"_s, u"S|U|"_s, u"S|Z|"_s, u"T|12:00|Q|"_s});
    scheduler.begin();
    scheduler.tick(tasks, at(12, 0, 1));
    // A due time task with an unknown action does nothing, yet it counts as run and goes.
    EXPECT_EQ(
        actions.log,
        QStringList({u"shut down"_s, u"open C:\\a b\\x.exe"_s, u"open http://x.example/a?b=c&d"_s,
                     u"hang up"_s, u"dial"_s, u"box Update"_s,
                     u"save S|S| S|P|C:\\a b\\x.exe| S|W|http://x.example/a?b=c&d| S|D| "
                     u"S|C| S|U| S|Z|"_s}));
}

TEST_F(TaskSchedulerTest, AOneShotShutDownLeavesTheFileBeforeThePowerOffIsAskedFor) {
    TaskColumns tasks = tasksWithCodes(
        {u"T|12:00|P|a|"_s, u"S|P|s|"_s, u"T|12:00|S|"_s, u"S|S|"_s, u"T|12:00|U|"_s});
    scheduler.begin();
    scheduler.tick(tasks, at(12, 0, 1));
    // The machine may go down while the later box waits: the shut-down is no longer saved.
    EXPECT_EQ(actions.log,
              QStringList({u"open a"_s, u"open s"_s, u"save T|12:00|P|a| S|P|s| S|S| T|12:00|U|"_s,
                           u"save S|P|s| S|S| T|12:00|U|"_s, u"shut down"_s, u"shut down"_s,
                           u"box Update"_s, u"save S|P|s| S|S|"_s}));
    EXPECT_EQ(tasks.codes, QStringList({u"S|P|s|"_s, u"S|S|"_s}));
}

TEST_F(TaskSchedulerTest, UnknownTriggersAndUnreadableValuesNeverRunOrGo) {
    const QStringList codes = {u"X|P|a|"_s,      u"t|12:00|P|b|"_s, u"T|25:00|P|c|"_s, u"T||P|d|"_s,
                               u"T|noon|P|e|"_s, u"D|30/02|P|f|"_s, u"D|10/06/24"_s,   u""_s,
                               u"12:00|P|g|"_s};
    TaskColumns tasks = tasksWithCodes(codes);
    scheduler.begin();
    for (int second = 0; second < 60 * 60; second += 5)
        scheduler.tick(tasks, at(12, 0, 0).addSecs(second));
    EXPECT_TRUE(actions.log.isEmpty());
    EXPECT_EQ(tasks.codes, codes);
}

TEST_F(TaskSchedulerTest, AtStartTasksWaitForTheFirstTickAfterTheEditorCloses) {
    TaskColumns tasks = tasksWithCodes({u"S|P|start|"_s});
    scheduler.begin();
    // The editor was open for ten minutes: the window let no tick through.
    scheduler.tick(tasks, at(8, 10, 2));
    scheduler.tick(tasks, at(8, 10, 7));
    EXPECT_EQ(actions.log, QStringList({u"open start"_s}));
    EXPECT_EQ(tasks.size(), 1) << "an at-start task stays";

    scheduler.begin();
    scheduler.tick(tasks, at(9, 0, 0));
    EXPECT_EQ(actions.log.size(), 2) << "the next program run takes them again";
}

TEST_F(TaskSchedulerTest, OnConnectTasksRunOncePerConnectionNotForOneUpAtTheStart) {
    TaskColumns tasks = tasksWithCodes({u"C|P|mail|"_s});
    actions.connection = ConnectionAnswer::Connected;
    scheduler.begin();
    EXPECT_TRUE(scheduler.connFlag());
    QDateTime now = at(8, 0, 0);
    const auto tickWith = [&](ConnectionAnswer answer) {
        actions.connection = answer;
        now = now.addSecs(5);
        scheduler.tick(tasks, now);
        return actions.log.count(u"open mail"_s);
    };
    EXPECT_EQ(tickWith(ConnectionAnswer::Connected), 0);
    EXPECT_EQ(tickWith(ConnectionAnswer::NotConnected), 0);
    EXPECT_EQ(tickWith(ConnectionAnswer::Connected), 1);
    EXPECT_EQ(tickWith(ConnectionAnswer::Connected), 1);
    EXPECT_EQ(tickWith(ConnectionAnswer::Failed), 1) << "a failed look reads as down";
    EXPECT_EQ(tickWith(ConnectionAnswer::Connected), 2);
    EXPECT_EQ(actions.log.count(u"box ERROR"_s), 1);

    // A network service that leaves and comes back, where the routes disagree with it.
    EXPECT_EQ(tickWith(ConnectionAnswer::NotConnected), 2);
    for (int restart = 0; restart < 2; ++restart) {
        ++actions.source;
        EXPECT_EQ(tickWith(ConnectionAnswer::Connected), 2) << "another source is no edge";
        ++actions.source;
        EXPECT_EQ(tickWith(ConnectionAnswer::NotConnected), 2);
    }
    EXPECT_EQ(tickWith(ConnectionAnswer::Connected), 3);
}

TEST_F(TaskSchedulerTest, TheUpgradeTaskGoesOnlyAfterItsBoxIsClosed) {
    TaskColumns tasks = tasksWithCodes({u"D|10/06|U|"_s, u"S|U|"_s});
    actions.whileBoxWaits = [&](const QString&) {
        EXPECT_EQ(tasks.size(), 2);
        EXPECT_FALSE(actions.log.contains(u"save S|U|"_s));
    };
    scheduler.begin();
    scheduler.tick(tasks, at(0, 0, 2));
    EXPECT_EQ(actions.log, QStringList({u"box Update"_s, u"box Update"_s, u"save S|U|"_s}));
}

TEST_F(TaskSchedulerTest, ATickThatStartsWhileABoxWaitsDoesNothing) {
    TaskColumns tasks = tasksWithCodes({u"T|12:00|U|"_s, u"C|P|c|"_s, u"S|P|s|"_s});
    int nestedTicks = 0;
    actions.whileBoxWaits = [&](const QString&) {
        EXPECT_TRUE(scheduler.isBusy());
        const int reads = actions.connectionReads;
        const qsizetype logged = actions.log.size();
        for (int second = 5; second <= 60; second += 5) {
            EXPECT_FALSE(scheduler.tick(tasks, at(12, 0, second)));
            ++nestedTicks;
        }
        actions.connection = ConnectionAnswer::Connected;
        EXPECT_EQ(actions.connectionReads, reads) << "not even the connection is looked at";
        EXPECT_EQ(actions.log.size(), logged);
    };
    scheduler.begin();
    EXPECT_TRUE(scheduler.tick(tasks, at(12, 0, 0)));
    EXPECT_EQ(nestedTicks, 12);
    EXPECT_FALSE(scheduler.isBusy());
    EXPECT_EQ(actions.log, QStringList({u"box Update"_s, u"open s"_s, u"save C|P|c| S|P|s|"_s}));

    actions.whileBoxWaits = nullptr;
    EXPECT_TRUE(scheduler.tick(tasks, at(12, 1, 5))) << "the guard is let go";
    EXPECT_EQ(actions.log.last(), u"open c"_s) << "the connection that came up meanwhile";
}

TEST_F(TaskSchedulerTest, TheErrorBoxOfTheConnectionTestAlsoKeepsOtherTicksOut) {
    TaskColumns tasks = tasksWithCodes({u"S|P|s|"_s});
    actions.connection = ConnectionAnswer::Failed;
    int refused = 0;
    actions.whileBoxWaits = [&](const QString&) {
        refused += scheduler.tick(tasks, at(9, 0, 5)) ? 0 : 1;
    };
    scheduler.begin();
    EXPECT_EQ(refused, 1) << "nor while the window loads";
    actions.connection = ConnectionAnswer::NotConnected;
    scheduler.tick(tasks, at(9, 0, 0));
    actions.connection = ConnectionAnswer::Failed;
    scheduler.tick(tasks, at(9, 0, 10));
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(actions.log.count(u"open s"_s), 1);
}

}  // namespace
}  // namespace tolvane
