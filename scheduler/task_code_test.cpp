#include "scheduler/task_code.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(TaskCodeSplitting, EveryFieldEndsWithABarAndTextAfterTheLastBarIsDropped) {
    EXPECT_EQ(splitTaskCode(u"T|12:00|P|C:\\x.exe|"_s),
              QStringList({u"T"_s, u"12:00"_s, u"P"_s, u"C:\\x.exe"_s}));
    EXPECT_EQ(splitTaskCode(u"S|U|"_s), QStringList({u"S"_s, u"U"_s}));
    EXPECT_EQ(splitTaskCode(u"T|12:00|P|C:\\x.exe"_s), QStringList({u"T"_s, u"12:00"_s, u"P"_s}));
    EXPECT_EQ(splitTaskCode(u"T|12:00|P||"_s), QStringList({u"T"_s, u"12:00"_s, u"P"_s, u""_s}));
    EXPECT_EQ(splitTaskCode(u"||"_s), QStringList({u""_s, u""_s}));
    EXPECT_TRUE(splitTaskCode(u""_s).isEmpty());
    EXPECT_TRUE(splitTaskCode(u"no bar"_s).isEmpty());
}

TEST(TaskCodeReading, TheTriggerTakesItsValueOnlyForTimesAndDates) {
    TaskCode code = readTaskCode(splitTaskCode(u"D|21/01/01|P|C:\\Games\\game.exe|"_s));
    EXPECT_EQ(code.trigger, Trigger::Date);
    EXPECT_EQ(code.triggerValue, u"21/01/01"_s);
    EXPECT_EQ(code.action, Action::Program);
    EXPECT_EQ(code.actionValue, u"C:\\Games\\game.exe"_s);

    code = readTaskCode(splitTaskCode(u"S|D|"_s));
    EXPECT_EQ(code.trigger, Trigger::AtStart);
    EXPECT_EQ(code.action, Action::Disconnect) << "the same letter means another thing here";
    EXPECT_TRUE(code.triggerValue.isEmpty());

    code = readTaskCode(splitTaskCode(u"C|W|http://a.example/?q=1|"_s));
    EXPECT_EQ(code.trigger, Trigger::OnConnect);
    EXPECT_EQ(code.action, Action::WebSite);
    EXPECT_EQ(code.actionValue, u"http://a.example/?q=1"_s);

    code = readTaskCode(splitTaskCode(u"T|23:30|S|C:\\ignored|"_s));
    EXPECT_EQ(code.action, Action::ShutDown);
    EXPECT_TRUE(code.actionValue.isEmpty()) << "only programs and sites carry a value";
}

TEST(TaskCodeReading, UnknownLettersAndMissingFieldsReadAsNothing) {
    TaskCode code = readTaskCode(splitTaskCode(u"X|P|a|"_s));
    EXPECT_FALSE(code.trigger);
    EXPECT_EQ(code.action, Action::Program) << "an unknown trigger spoils only its own half";
    EXPECT_EQ(code.actionValue, u"a"_s);

    EXPECT_FALSE(readTaskCode(splitTaskCode(u"t|12:00|P|a|"_s)).trigger) << "letters are exact";
    EXPECT_FALSE(readTaskCode(splitTaskCode(u"S|p|a|"_s)).action);
    EXPECT_FALSE(readTaskCode(splitTaskCode(u"TT|12:00|P|a|"_s)).trigger);

    code = readTaskCode(splitTaskCode(u"T|"_s));
    EXPECT_EQ(code.trigger, Trigger::Time);
    EXPECT_TRUE(code.triggerValue.isEmpty());
    EXPECT_FALSE(code.action);

    code = readTaskCode({});
    EXPECT_FALSE(code.trigger);
    EXPECT_FALSE(code.action);
}

}  // namespace
}  // namespace tolvane
