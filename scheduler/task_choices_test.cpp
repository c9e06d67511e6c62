#include "scheduler/task_choices.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(TaskDialogTime, HourAndMinuteWithoutLeadingZeros) {
    EXPECT_EQ(dialogTimeText(QTime(9, 5, 59)), u"9:5"_s);
    EXPECT_EQ(dialogTimeText(QTime(14, 30)), u"14:30"_s);
    EXPECT_EQ(dialogTimeText(QTime(0, 0)), u"0:0"_s);
}

TEST(TaskDialogBuilding, EachTriggerAndActionGivesItsFieldsAndTexts) {
    TaskChoices choices;
    choices.time = dialogTimeText(QTime(9, 5));
    const TaskEntry untouched = buildTaskEntry(choices);
    EXPECT_EQ(untouched.code, u"T|9:5|P||"_s);
    EXPECT_EQ(untouched.triggerText, u"בשעה: 9:5"_s);
    EXPECT_EQ(untouched.actionText, u"הפעל תוכנה: "_s);

    choices = {Trigger::Date, Action::WebSite, u"ignored"_s,
               u"21/01/01"_s, u"x"_s,          u"http://example.org/"_s};
    TaskEntry entry = buildTaskEntry(choices);
    EXPECT_EQ(entry.code, u"D|21/01/01|W|http://example.org/|"_s);
    EXPECT_EQ(entry.triggerText, u"בתאריך: 21/01/01"_s);
    EXPECT_EQ(entry.actionText, u"פתח אתר : http://example.org/"_s);

    struct Case {
        Trigger trigger;
        Action action;
        const char16_t* code;
        const char16_t* triggerText;
        const char16_t* actionText;
    };
    for (const Case& c : {
             Case{Trigger::AtStart, Action::ShutDown, u"S|S|", u"בפעלת התוכנה", u"כיבוי מחשב"},
             Case{Trigger::OnConnect, Action::Disconnect, u"C|D|", u"בהתחברות לאינטרנט",
                  u"ניתוק מהאינטרנט"},
             Case{Trigger::AtStart, Action::Connect, u"S|C|", u"בפעלת התוכנה", u"חיבור לאינטרנט"},
             Case{Trigger::OnConnect, Action::Upgrade, u"C|U|", u"בהתחברות לאינטרנט",
                  u"שדרוג תוכנת 'Tolvane'"},
         }) {
        choices.trigger = c.trigger;
        choices.action = c.action;
        entry = buildTaskEntry(choices);
        EXPECT_EQ(entry.code, QString::fromUtf16(c.code));
        EXPECT_EQ(entry.triggerText, QString::fromUtf16(c.triggerText));
        EXPECT_EQ(entry.actionText, QString::fromUtf16(c.actionText));
    }
}

TEST(TaskDialogBuilding, ValuesAreTakenAsTypedAndReadBackTheSame) {
    TaskChoices choices;
    choices.time = u" 25:61 "_s;
    choices.program = u"C:\\Program Files\\תוכנה.exe"_s;
    const TaskEntry entry = buildTaskEntry(choices);
    EXPECT_EQ(entry.code, u"T| 25:61 |P|C:\\Program Files\\תוכנה.exe|"_s);

    TaskChoices edited;
    applyTaskCode(edited, readTaskCode(splitTaskCode(entry.code)));
    EXPECT_EQ(buildTaskEntry(edited).code, entry.code);
}

TEST(TaskDialogBuilding, APastedLineBreakNeverReachesTheFileLines) {
    TaskChoices choices;
    choices.time = u"12:00\r\n"_s;
    choices.program = u"C:\\a\nb.exe"_s;
    TaskEntry entry = buildTaskEntry(choices);
    EXPECT_EQ(entry.code, u"T|12:00|P|C:\\ab.exe|"_s);
    EXPECT_EQ(entry.triggerText, u"בשעה: 12:00"_s);
    EXPECT_EQ(entry.actionText, u"הפעל תוכנה: C:\\ab.exe"_s);

    choices = {Trigger::Date, Action::WebSite, {}, u"1/2\r"_s, {}, u"\nhttp://a.example/"_s};
    entry = buildTaskEntry(choices);
    EXPECT_EQ(entry.code, u"D|1/2|W|http://a.example/|"_s);
    EXPECT_EQ(entry.triggerText, u"בתאריך: 1/2"_s);
    EXPECT_EQ(entry.actionText, u"פתח אתר : http://a.example/"_s);
}

TEST(TaskDialogEditing, ACodeSelectsItsOptionsAndAnUnknownHalfKeepsTheDefaults) {
    TaskChoices choices;
    choices.site = u"http://home.example/"_s;
    applyTaskCode(choices, readTaskCode(splitTaskCode(u"S|U|"_s)));
    EXPECT_EQ(choices.trigger, Trigger::AtStart);
    EXPECT_EQ(choices.action, Action::Upgrade);
    EXPECT_EQ(choices.time, u"00:00"_s);

    TaskChoices unknown;
    unknown.time = u"9:5"_s;
    applyTaskCode(unknown, readTaskCode(splitTaskCode(u"X|W|http://a.example/|"_s)));
    EXPECT_EQ(unknown.trigger, Trigger::Time);
    EXPECT_EQ(unknown.time, u"9:5"_s);
    EXPECT_EQ(unknown.action, Action::WebSite);
    EXPECT_EQ(unknown.site, u"http://a.example/"_s);

    applyTaskCode(unknown, readTaskCode(splitTaskCode(u"D|1.3|Q|"_s)));
    EXPECT_EQ(unknown.trigger, Trigger::Date);
    EXPECT_EQ(unknown.date, u"1.3"_s);
    EXPECT_EQ(unknown.action, Action::WebSite) << "the action half stays as it was";
}

TEST(TaskDialogPlacing, ANewTaskGoesLastAndAnEditKeepsItsRow) {
    TaskColumns tasks;
    for (int i = 1; i <= 3; ++i)
        tasks.append({u"t%1"_s.arg(i), u"a%1"_s.arg(i), u"S|U|"_s});
    placeTaskEntry(tasks, 3, {u"T"_s, u"A"_s, u"C|D|"_s});
    EXPECT_EQ(tasks.triggerTexts, QStringList({u"t1"_s, u"t2"_s, u"T"_s}));
    EXPECT_EQ(tasks.codes, QStringList({u"S|U|"_s, u"S|U|"_s, u"C|D|"_s}));
    placeTaskEntry(tasks, 0, {u"N"_s, u"A"_s, u"S|S|"_s});
    EXPECT_EQ(tasks.triggerTexts, QStringList({u"t1"_s, u"t2"_s, u"T"_s, u"N"_s}));
    placeTaskEntry(tasks, 9, {u"gone"_s, u"A"_s, u"S|S|"_s});
    EXPECT_EQ(tasks.size(), 5) << "a row no longer there still keeps what was typed";
}

}  // namespace
}  // namespace tolvane
