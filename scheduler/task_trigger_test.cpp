#include "scheduler/task_trigger.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return {QDate(year, month, day), QTime(hour, minute, second), Qt::UTC};
}

bool due(const QString& code, const QDateTime& now, bool onStart = false, bool onConnect = false) {
    return isDue(readTaskCode(splitTaskCode(code)), {now, onStart, onConnect});
}

TEST(TaskTimeReading, HoursAndMinutesWithOrWithoutZerosAndSecondsDropped) {
    for (const auto& [text, hour, minute] :
         {std::tuple(u"9:5"_s, 9, 5), std::tuple(u"09:05"_s, 9, 5), std::tuple(u"0:00"_s, 0, 0),
          std::tuple(u"23:59"_s, 23, 59), std::tuple(u"23:30:45"_s, 23, 30),
          std::tuple(u" 12:00 "_s, 12, 0)}) {
        const auto time = readTaskTime(text);
        ASSERT_TRUE(time) << text.toStdString();
        EXPECT_EQ(time->hour, hour) << text.toStdString();
        EXPECT_EQ(time->minute, minute) << text.toStdString();
    }
    for (const QString& text :
         {u""_s, u"12"_s, u"24:00"_s, u"25:00"_s, u"12:60"_s, u"12:00:60"_s, u"12:00:"_s, u":30"_s,
          u"123:00"_s, u"12:005"_s, u"1:2:3:4"_s, u"12.00"_s, u"ab:cd"_s, u"-1:00"_s, u"+1:00"_s,
          u"12:5x"_s, u"١٢:٠٠"_s})
        EXPECT_FALSE(readTaskTime(text)) << text.toStdString();
}

TEST(TaskDateReading, DayAndMonthWithAnyYearAndOneKindOfSeparator) {
    for (const auto& [text, day, month] :
         {std::tuple(u"21/01/01"_s, 21, 1), std::tuple(u"21.1"_s, 21, 1),
          std::tuple(u"1-12-2024"_s, 1, 12), std::tuple(u"29/02/01"_s, 29, 2),
          std::tuple(u"31/12"_s, 31, 12), std::tuple(u" 5/6/7 "_s, 5, 6)}) {
        const auto date = readTaskDate(text);
        ASSERT_TRUE(date) << text.toStdString();
        EXPECT_EQ(date->day, day) << text.toStdString();
        EXPECT_EQ(date->month, month) << text.toStdString();
    }
    for (const QString& text : {u""_s, u"21"_s, u"31/04"_s, u"30/02"_s, u"32/01"_s, u"0/1"_s,
                                u"21/13"_s, u"21/0"_s, u"21/01-01"_s, u"21//01"_s, u"21/01/"_s,
                                u"21/01/20011"_s, u"21/01/01x"_s, u"21 01 01"_s, u"12:00"_s})
        EXPECT_FALSE(readTaskDate(text)) << text.toStdString();
}

TEST(TaskDueTest, ATimeIsDueThroughoutItsMinuteOnAnyDay) {
    EXPECT_TRUE(due(u"T|23:30|S|"_s, at(2001, 5, 5, 23, 30, 3)));
    EXPECT_TRUE(due(u"T|23:30|S|"_s, at(2031, 12, 31, 23, 30, 59)));
    EXPECT_FALSE(due(u"T|23:30|S|"_s, at(2001, 5, 5, 23, 31, 0)));
    EXPECT_FALSE(due(u"T|23:30|S|"_s, at(2001, 5, 5, 23, 29, 59)));
    EXPECT_FALSE(due(u"T|23:30|S|"_s, at(2001, 5, 5, 11, 30, 0)));
    EXPECT_TRUE(due(u"T|23:30:45|S|"_s, at(2001, 5, 5, 23, 30, 0)));
    EXPECT_TRUE(due(u"T|9:5|S|"_s, at(2001, 5, 5, 9, 5, 2)));
    EXPECT_TRUE(due(u"T|0:00|S|"_s, at(2001, 5, 5, 0, 0, 2)));
    EXPECT_FALSE(due(u"T|0:00|S|"_s, at(2001, 5, 5, 12, 0, 2)));
    EXPECT_FALSE(due(u"T|0:00|S|"_s, at(2001, 5, 5, 23, 59, 59)));
}

TEST(TaskDueTest, ADateIsDueAllDayInAnyYear) {
    EXPECT_TRUE(due(u"D|21/01/01|U|"_s, at(2030, 1, 21, 0, 0, 0)));
    EXPECT_TRUE(due(u"D|21/01/01|U|"_s, at(2030, 1, 21, 23, 59, 59)));
    EXPECT_FALSE(due(u"D|21/01/01|U|"_s, at(2030, 1, 22, 0, 0, 0)));
    EXPECT_FALSE(due(u"D|21/01/01|U|"_s, at(2030, 2, 21))) << "not the day in another month";
    EXPECT_FALSE(due(u"D|21/01/01|U|"_s, at(2030, 1, 1))) << "the year is not the day";
}

TEST(TaskDueTest, TheTwentyNinthOfFebruaryComesOnlyInLeapYears) {
    EXPECT_TRUE(due(u"D|29/02|P|x|"_s, at(2024, 2, 29)));
    EXPECT_TRUE(due(u"D|29/02/2023|P|x|"_s, at(2028, 2, 29)));
    for (QDate day(2023, 1, 1); day.year() == 2023; day = day.addDays(1))
        EXPECT_FALSE(due(u"D|29/02|P|x|"_s, {day, QTime(12, 0), Qt::UTC}))
            << day.toString().toStdString();
}

TEST(TaskDueTest, StartAndConnectTasksFollowTheirTickFlagsAndOtherLettersNever) {
    const QDateTime now = at(2024, 1, 1);
    EXPECT_TRUE(due(u"S|U|"_s, now, true, false));
    EXPECT_FALSE(due(u"S|U|"_s, now, false, true));
    EXPECT_TRUE(due(u"C|U|"_s, now, false, true));
    EXPECT_FALSE(due(u"C|U|"_s, now, true, false));
    EXPECT_FALSE(due(u"X|U|"_s, now, true, true));
    EXPECT_FALSE(due(u""_s, now, true, true));
}

}  // namespace
}  // namespace tolvane
