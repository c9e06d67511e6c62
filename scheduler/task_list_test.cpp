#include "scheduler/task_list.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(TaskListLines, ThreeLinesMakeATaskAndSaveBackUnchanged) {
    const QStringList lines = {u"בשעה: 23:30"_s,       u"כיבוי מחשב"_s,      u"T|23:30|S|"_s,
                               u"בהתחברות לאינטרנט"_s, u"ניתוק מהאינטרנט"_s, u"C|D|"_s};
    const TaskColumns tasks = tasksFromLines(lines);
    ASSERT_EQ(tasks.size(), 2);
    EXPECT_EQ(tasks.triggerTexts, QStringList({lines[0], lines[3]}));
    EXPECT_EQ(tasks.actionTexts, QStringList({lines[1], lines[4]}));
    EXPECT_EQ(tasks.codes, QStringList({lines[2], lines[5]}));
    EXPECT_EQ(linesOfTasks(tasks), lines);

    EXPECT_EQ(tasksFromLines({}).size(), 0);
    EXPECT_TRUE(linesOfTasks({}).isEmpty());
}

TEST(TaskListLines, ATrailingGroupIsKeptAndWrittenBackButFinalEmptyLinesMakeNoTask) {
    const QStringList task = {u"a"_s, u"b"_s, u"S|U|"_s};
    TaskColumns tasks = tasksFromLines(task + QStringList{u" x "_s});
    ASSERT_EQ(tasks.size(), 2);
    EXPECT_EQ(tasks.triggerTexts.at(1), u" x "_s);
    EXPECT_EQ(tasks.codes.at(1), u""_s);
    EXPECT_EQ(linesOfTasks(tasks), task + QStringList({u" x "_s, u""_s, u""_s}));

    tasks = tasksFromLines(task + QStringList({u""_s, u"T|1:00|"_s}));
    ASSERT_EQ(tasks.size(), 2);
    EXPECT_EQ(tasks.actionTexts.at(1), u"T|1:00|"_s);
    EXPECT_EQ(linesOfTasks(tasks), task + QStringList({u""_s, u"T|1:00|"_s, u""_s}));

    // An editor's extra line end at the close of the file: no task of its own.
    for (const QStringList& empty : {QStringList{u""_s}, QStringList{u""_s, u""_s}}) {
        tasks = tasksFromLines(task + empty);
        EXPECT_EQ(linesOfTasks(tasks), task) << empty.size();
    }
    EXPECT_EQ(linesOfTasks(tasksFromLines(task + QStringList{u" x "_s, u""_s})),
              task + QStringList({u" x "_s, u""_s, u""_s}));
}

TEST(TaskListLines, FifteenTasksLeaveNoRoom) {
    TaskColumns tasks;
    for (int i = 0; i < 14; ++i)
        tasks.append({u"t"_s, u"a"_s, u"S|U|"_s});
    EXPECT_TRUE(hasRoomForTask(tasks));
    tasks.append({u""_s, u""_s, u""_s});
    EXPECT_FALSE(hasRoomForTask(tasks)) << "even when the fifteenth row shows no text";
    tasks.append({u"t"_s, u"a"_s, u"S|U|"_s});
    EXPECT_FALSE(hasRoomForTask(tasks)) << "a longer file is read whole but takes no more";
}

}  // namespace
}  // namespace tolvane
