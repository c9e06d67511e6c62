#include "scheduler/scheduler_windows_fixture.h"
#include "testing/accessibility.h"

#include <QDir>

namespace tolvane {
namespace {

class TimingWindowTest : public SchedulerWindowsTest {};

// The scheduler tick

TEST_F(TimingWindowTest, TwoTasksDueInOneTickRunInRowOrderAndLeaveListAndFile) {
    writeLines({"בשעה: 12:00", "הפעל תוכנה: first", "T|12:00|P|first|", "בהתחברות לאינטרנט",
                "ניתוק מהאינטרנט", "C|D|", "בתאריך: 08/12/26", "פתח אתר : second",
                "D|08/12/26|W|second|", "בשעה: 12:01", "הפעל תוכנה: later", "T|12:01|P|later|"});
    Timing* timing = loadTiming();
    ASSERT_TRUE(timing);
    EXPECT_FALSE(timing->isVisible());
    EXPECT_TRUE(timing->Timer1->isActive());
    EXPECT_EQ(timing->Timer1->interval(), 5000);

    setClock(12, 0, 3);
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"first", "second"}));
    EXPECT_EQ(listRows(timing->List2), QStringList({"בהתחברות לאינטרנט", "בשעה: 12:01"}));
    EXPECT_EQ(listRows(timing->List3), QStringList({"ניתוק מהאינטרנט", "הפעל תוכנה: later"}));
    EXPECT_EQ(listRows(timing->List4), QStringList({"C|D|", "T|12:01|P|later|"}));
    EXPECT_EQ(fileLines(), QStringList({"בהתחברות לאינטרנט", "ניתוק מהאינטרנט", "C|D|",
                                        "בשעה: 12:01", "הפעל תוכנה: later", "T|12:01|P|later|"}));

    setClock(12, 0, 8);
    timing->Timer1_Timer();
    setClock(12, 1, 1);
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"first", "second", "later"}));
    EXPECT_EQ(fileLines(), QStringList({"בהתחברות לאינטרנט", "ניתוק מהאינטרנט", "C|D|"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// Started without its window, as at program start, the scheduler works on the file's list; the
// window, made when first opened, takes that list over, and from then on ticks work on its
// lists, unsaved edits included.
TEST_F(TimingWindowTest, TheWindowFirstOpenedTakesOverTheListTheSchedulerRanOn) {
    writeCodes({"T|12:00|P|a|", "C|P|mail|", "T|12:01|P|b|"});
    scheduler->start();
    EXPECT_TRUE(scheduler->timer()->isActive());
    EXPECT_EQ(windows.find<Timing>(), nullptr);
    setClock(12, 0, 3);
    scheduler->tick();
    EXPECT_EQ(fakes.opener.opened, QStringList({"a"}));
    EXPECT_EQ(fileLines().size(), 6);

    Timing* timing = openEditor();
    ASSERT_TRUE(timing);
    EXPECT_EQ(listRows(timing->List4), QStringList({"C|P|mail|", "T|12:01|P|b|"}));
    EXPECT_EQ(timing->Timer1, scheduler->timer());
    timing->List2->setCurrentRow(0);
    timing->Command2->click();
    timing->Command9->click();
    EXPECT_TRUE(scheduler->timer()->isActive());

    setClock(12, 1, 1);
    scheduler->tick();
    EXPECT_EQ(fakes.opener.opened, QStringList({"a", "b"}));
    EXPECT_EQ(timing->List2->count(), 0);
    EXPECT_EQ(fileLines(), QStringList()) << "the unsaved deletion went with the save";
}

// Asked for while a tick, begun before the window existed, waits in its box, the window is made
// but comes up only after the tick, showing what the tick left.
TEST_F(TimingWindowTest, AWindowFirstMadeDuringATickComesUpAfterItWithTheTickedList) {
    writeCodes({"T|12:00|U|", "T|12:00|P|a|", "C|P|mail|"});
    scheduler->start();
    setClock(12, 0, 3);
    fakes.messages.onShow = [&] {
        Timing* timing = openEditor();
        ASSERT_TRUE(timing);
        EXPECT_FALSE(timing->isVisible());
        EXPECT_EQ(timing->List2->count(), 3);
    };
    scheduler->tick();
    fakes.messages.onShow = nullptr;
    Timing* timing = windows.find<Timing>();
    ASSERT_TRUE(timing);
    EXPECT_TRUE(timing->isVisible());
    EXPECT_EQ(listRows(timing->List4), QStringList({"C|P|mail|"}));
    EXPECT_EQ(fakes.opener.opened, QStringList({"a"}));
}

TEST_F(TimingWindowTest, AFailedSaveAfterEachRemovalIsToldAndTheTasksStayGone) {
    writeCodes({"T|12:00|P|a|", "S|P|start|", "T|12:00|P|b|"});
    makeReadOnly();
    const QByteArray before = listBytes();
    Timing* timing = loadTiming();
    timing->Timer1_Timer();
    EXPECT_EQ(boxTexts(), QStringList({"There has been a error!", listPath(),
                                       "There has been a error!", listPath()}));
    EXPECT_EQ(fakes.messages.shown.at(0).title, "Error");
    EXPECT_EQ(fakes.messages.shown.at(1).title, "Tolvane");
    EXPECT_EQ(fakes.messages.shown.at(1).buttons, MessageBoxes::Buttons::Ok);
    EXPECT_EQ(listBytes(), before);
    EXPECT_EQ(listRows(timing->List4), QStringList({"S|P|start|"}));

    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"a", "start", "b"}));
}

TEST_F(TimingWindowTest, AtStartTasksWaitForTheFirstTickAfterTheEditorCloses) {
    writeCodes({"S|P|start|"});
    Timing* timing = loadTiming();
    openEditor();
    timing->Timer1_Timer();
    EXPECT_FALSE(timing->Timer1->isActive()) << "paused while the editor is shown";
    EXPECT_TRUE(fakes.opener.opened.isEmpty());

    timing->Command9->click();
    EXPECT_FALSE(timing->isVisible());
    EXPECT_EQ(windows.find<Timing>(), timing);
    EXPECT_TRUE(timing->Timer1->isActive());
    timing->Timer1_Timer();
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"start"}));
    EXPECT_EQ(timing->List2->count(), 1);
}

TEST_F(TimingWindowTest, WhileATickWaitsInItsBoxNoTickRunsAndTheEditorOpensAfterIt) {
    writeCodes({"T|12:00|U|", "S|P|start|", "C|P|mail|"});
    Timing* timing = loadTiming();
    int nestedTicks = 0;
    fakes.messages.onShow = [&] {
        EXPECT_EQ(timing->List2->count(), 3);
        EXPECT_EQ(fileLines().size(), 9) << "the upgrade task goes once its box is closed";
        fakes.connection.current = InternetConnection::State::Connected;
        for (; nestedTicks < 3; ++nestedTicks)
            timing->Timer1_Timer();
        EXPECT_TRUE(fakes.opener.opened.isEmpty());
        openEditor();
        EXPECT_FALSE(timing->isVisible()) << "not over the lists the tick works on";
    };
    timing->Timer1_Timer();
    fakes.messages.onShow = nullptr;

    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Update");
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");
    EXPECT_EQ(fakes.messages.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_EQ(fakes.opener.opened, QStringList({"start"}));
    EXPECT_EQ(listRows(timing->List4), QStringList({"S|P|start|", "C|P|mail|"}));
    EXPECT_EQ(fileLines().size(), 6);
    EXPECT_TRUE(timing->isVisible());

    timing->Command9->click();
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"start", "mail"}))
        << "the connection that came up meanwhile";
}

TEST_F(TimingWindowTest, EachActionGoesToItsPlatformServiceAndAFailedLookIsTold) {
    writeCodes({"S|S|", "S|C|", "S|D|", "S|P|/usr/bin/x|", "S|W|http:\\\\site.test|", "C|U|"});
    fakes.connection.current = InternetConnection::State::Failed;
    Timing* timing = loadTiming();
    EXPECT_EQ(boxTexts(), QStringList({"ERROR"}));
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");

    fakes.connection.current = InternetConnection::State::Connected;
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.power.powerOffs, 1);
    EXPECT_EQ(fakes.connection.dials, 1);
    EXPECT_EQ(fakes.connection.hangUps, 1);
    EXPECT_EQ(fakes.opener.opened, QStringList({"/usr/bin/x", "http:\\\\site.test"}));
    EXPECT_EQ(boxTexts(), QStringList({"ERROR", "Update"})) << "a failed look counts as down";
    EXPECT_EQ(timing->List2->count(), 6);
}

// The task list file

TEST_F(TimingWindowTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    ASSERT_TRUE(QDir(fakes.app.folder).mkpath("Timing.Dat/inside"));
    Timing* timing = openEditor();
    EXPECT_EQ(timing->List2->count(), 0);
    EXPECT_TRUE(fakes.messages.shown.empty());
    timing->Command6->click();
    EXPECT_EQ(boxTexts(), QStringList({"There has been a error!", listPath()}));
    EXPECT_TRUE(QDir(listPath()).exists("inside"));
    EXPECT_FALSE(timing->isVisible()) << "the window still closes";
}

TEST_F(TimingWindowTest, AReadOnlyFileStaysAndTheEditsStayInUse) {
    writeCodes({"T|12:00|P|a|", "T|12:00|P|b|"});
    makeReadOnly();
    Timing* timing = openEditor();
    timing->List2->setCurrentRow(0);
    timing->Command2->click();
    timing->Command6->click();
    EXPECT_EQ(boxTexts(), QStringList({"There has been a error!", listPath()}));
    EXPECT_EQ(fileLines().size(), 6);
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"b"}));
}

// Commands

TEST_F(TimingWindowTest, AddIsRefusedAtFifteenUntilOneIsDeleted) {
    QStringList codes;
    for (int i = 1; i <= 15; ++i)
        codes << QStringLiteral("T|1:%1|P|x|").arg(i);
    writeCodes(codes);
    Timing* timing = openEditor();
    timing->Command1->click();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(timing->isEnabled());

    timing->List3->setCurrentRow(14);
    EXPECT_EQ(selectedRows(timing), std::vector<int>({14, 14, 14}));
    timing->Command2->click();
    EXPECT_EQ(listRows(timing->List4).last(), "T|1:14|P|x|");
    timing->Command1->click();
    ASSERT_TRUE(dialog());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(timing->isEnabled());
    EXPECT_EQ(dialog()->Stat->text(), "0");
    EXPECT_EQ(dialog()->windowTitle(), "הוספת משימה חדשה");
}

TEST_F(TimingWindowTest, EditOpensTheSelectedTaskWithItsOptionsOrNothing) {
    writeCodes({"T|12:00|P|a|", "S|U|"});
    Timing* timing = openEditor();
    timing->Command3->click();
    EXPECT_EQ(dialog(), nullptr);

    timing->List2->setCurrentRow(1);
    timing->Command3->click();
    ASSERT_TRUE(dialog());
    EXPECT_FALSE(timing->isEnabled());
    EXPECT_EQ(dialog()->Stat->text(), "2");
    EXPECT_EQ(dialog()->windowTitle(), "עריכת קיצור דרך קיים");
    EXPECT_TRUE(dialog()->Option3->isChecked());
    EXPECT_TRUE(dialog()->Option10->isChecked());
}

TEST_F(TimingWindowTest, DeleteAndClearChangeTheSchedulersListButNotTheFile) {
    writeCodes({"S|P|a|", "S|P|b|", "S|P|c|"});
    const QByteArray before = listBytes();
    Timing* timing = openEditor();
    timing->List1->setCurrentRow(1);
    timing->Command2->click();
    EXPECT_EQ(listRows(timing->List3), QStringList({"what S|P|a|", "what S|P|c|"}));
    EXPECT_EQ(listRows(timing->List4), QStringList({"S|P|a|", "S|P|c|"}));
    EXPECT_EQ(selectedRows(timing), std::vector<int>({-1, -1, -1}));
    timing->Command2->click();
    EXPECT_EQ(timing->List2->count(), 2) << "nothing selected, nothing deleted";

    fakes.messages.answer = MessageBoxes::Answer::No;
    timing->Command5->click();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text,
              "? פעולה זאת תנקה את כל הרשימה, אתה בטוח שברצונך לבצעה");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(timing->List2->count(), 2);

    timing->Command9->click();
    timing->Timer1_Timer();
    EXPECT_EQ(fakes.opener.opened, QStringList({"a", "c"}));
    EXPECT_EQ(listBytes(), before);

    openEditor();
    EXPECT_EQ(timing->List2->count(), 2) << "shown again with its unsaved edits";
    fakes.messages.answer = MessageBoxes::Answer::Yes;
    timing->Command5->click();
    EXPECT_EQ(timing->List4->count(), 0);
    EXPECT_EQ(listBytes(), before);
}

TEST_F(TimingWindowTest, RunDoesTheSelectedTasksActionNowAndKeepsTheTask) {
    writeCodes({"T|23:00|P|x|", "T|23:00|S|"});
    Timing* timing = openEditor();
    timing->Command4->click();
    EXPECT_TRUE(fakes.opener.opened.isEmpty());

    timing->List2->setCurrentRow(0);
    timing->Command4->click();
    EXPECT_EQ(fakes.opener.opened, QStringList({"x"}));

    timing->List2->setCurrentRow(1);
    fakes.messages.answer = MessageBoxes::Answer::No;
    timing->Command4->click();
    EXPECT_EQ(fakes.power.powerOffs, 0);
    EXPECT_EQ(boxTexts(), QStringList({"? פעולה זאת תכבה את המחשב, אתה בטוח שברצונך לבצעה"}));
    fakes.messages.answer = MessageBoxes::Answer::Yes;
    timing->Command4->click();
    EXPECT_EQ(fakes.power.powerOffs, 1);
    EXPECT_EQ(timing->List2->count(), 2);
    EXPECT_EQ(fileLines().size(), 6);
}

TEST_F(TimingWindowTest, ClosingOnlyHidesItAndAnEndingSessionIsNotHeldUp) {
    writeCodes({"S|U|", "T|13:00|P|later|"});
    Timing* timing = openEditor();
    timing->Command1->click();
    EXPECT_FALSE(timing->close()) << "the open dialog is the way back";
    EXPECT_TRUE(timing->isVisible());
    dialog()->Command3->click();
    EXPECT_TRUE(timing->isEnabled());

    EXPECT_FALSE(timing->close());
    EXPECT_FALSE(timing->isVisible());
    EXPECT_TRUE(timing->Timer1->isActive());
    EXPECT_TRUE(fakes.messages.shown.empty()) << "the close box writes nothing";
    timing->Timer1_Timer();
    EXPECT_EQ(boxTexts(), QStringList({"Update"}));

    // A log-out that is then cancelled: the close is taken, yet the scheduler lives on and
    // runs its at-start tasks no second time.
    fakes.program.ending = true;
    openEditor();
    timing->Command1->click();
    EXPECT_TRUE(timing->close());
    EXPECT_TRUE(dialog()->close());
    EXPECT_TRUE(timing->close());
    fakes.program.ending = false;
    settle();
    ASSERT_EQ(windows.find<Timing>(), timing);
    EXPECT_FALSE(timing->isUnloaded());
    EXPECT_FALSE(timing->isVisible());
    EXPECT_TRUE(timing->Timer1->isActive());
    setClock(13, 0, 2);
    timing->Timer1_Timer();
    EXPECT_EQ(boxTexts(), QStringList({"Update"}));
    EXPECT_EQ(fakes.opener.opened, QStringList({"later"}));
}

// Accessibility

// The task list reads column by column, each row's text as the window shows it; the number
// column, which the user does not choose from, is left out by Tab.
TEST_F(TimingWindowTest, AScreenReaderReadsTheTaskListAndTabSkipsTheNumbers) {
    writeLines({QStringLiteral("בשעה: 8:30"), QStringLiteral("הפעל תוכנה: /usr/bin/backup"),
                "T|8:30|P|/usr/bin/backup|", QStringLiteral("בפעלת התוכנה"),
                QStringLiteral("פתח אתר : site.test"), "S|W|site.test|"});
    Timing* timing = openEditor();
    ASSERT_TRUE(timing);
    EXPECT_EQ(unnamedControls(timing), std::vector<std::string>());
    EXPECT_EQ(accessibleName(timing), "תזמון משימות");
    EXPECT_EQ(accessibleName(timing->List1), "מספרי המשימות");
    EXPECT_EQ(accessibleName(timing->List2), "שעות התזמון");
    EXPECT_EQ(accessibleName(timing->List3), "המשימות המתוזמנות");
    EXPECT_EQ(wrongRoles({{timing->List2, QAccessible::List},
                          {timing->List3, QAccessible::List},
                          {timing->Label2, QAccessible::StaticText},
                          {timing->Command4, QAccessible::Button}}),
              std::vector<std::string>());

    EXPECT_EQ(accessibleRows(timing->List2),
              QStringList({QStringLiteral("בשעה: 8:30"), QStringLiteral("בפעלת התוכנה")}));
    EXPECT_EQ(accessibleRows(timing->List3),
              QStringList({QStringLiteral("הפעל תוכנה: /usr/bin/backup"),
                           QStringLiteral("פתח אתר : site.test")}));
    EXPECT_TRUE(accessibleState(timing->List1).disabled);

    EXPECT_EQ(tabWalk(timing, timing->List2),
              controlNames({timing->List2, timing->List3, timing->Command1, timing->Command3,
                            timing->Command2, timing->Command4, timing->Command5, timing->Command9,
                            timing->Command6}));
}

}  // namespace
}  // namespace tolvane
