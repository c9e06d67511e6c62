#include "scheduler/scheduler_windows_fixture.h"
#include "testing/accessibility.h"

#include <QGroupBox>
#include <QTest>

namespace tolvane {
namespace {

class TimingAddTest : public SchedulerWindowsTest {
protected:
    void SetUp() override {
        writeCodes({"T|12:00|P|a|", "S|U|", "C|W|http://b.example/|"});
        setClock(9, 5, 30);
        editor = openEditor();
    }
    Timing_add* openForAdd() {
        editor->Command1->click();
        return dialog();
    }
    Timing_add* openForEdit(int row) {
        editor->List2->setCurrentRow(row);
        editor->Command3->click();
        return dialog();
    }

    Timing* editor = nullptr;
};

TEST_F(TimingAddTest, OkAtOnceAddsAProgramTaskAtTheCurrentTime) {
    Timing_add* add = openForAdd();
    ASSERT_TRUE(add);
    EXPECT_EQ(add->Text1->text(), "9:5");
    EXPECT_EQ(add->Text2->text(), "08/12/26") << "today, day first";
    EXPECT_EQ(add->Text3->text(), "");
    EXPECT_EQ(add->Text4->text(), "http:\\\\site.test");
    EXPECT_TRUE(add->Option1->isChecked());
    EXPECT_TRUE(add->Option5->isChecked());
    EXPECT_FALSE(add->Option10->isEnabled());

    add->Command2->click();
    EXPECT_TRUE(add->isUnloaded());
    EXPECT_EQ(editor->List2->count(), 4);
    EXPECT_EQ(listRows(editor->List2).last(), "בשעה: 9:5");
    EXPECT_EQ(listRows(editor->List3).last(), "הפעל תוכנה: ");
    EXPECT_EQ(listRows(editor->List4).last(), "T|9:5|P||");
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(fileLines().size(), 9) << "the dialog never writes the file";
}

TEST_F(TimingAddTest, EachOptionWritesItsLettersAndTexts) {
    struct Case {
        QRadioButton* Timing_add::*trigger;
        QRadioButton* Timing_add::*action;
        QString code;
        QString triggerText;
        QString actionText;
    };
    for (const Case& c : {
             Case{&Timing_add::Option2, &Timing_add::Option6, "D|08/12/26|W|http:\\\\site.test|",
                  "בתאריך: 08/12/26", "פתח אתר : http:\\\\site.test"},
             Case{&Timing_add::Option3, &Timing_add::Option7, "S|S|", "בפעלת התוכנה", "כיבוי מחשב"},
             Case{&Timing_add::Option4, &Timing_add::Option8, "C|D|", "בהתחברות לאינטרנט",
                  "ניתוק מהאינטרנט"},
             Case{&Timing_add::Option1, &Timing_add::Option9, "T|9:5|C|", "בשעה: 9:5",
                  "חיבור לאינטרנט"},
         }) {
        Timing_add* add = openForAdd();
        ASSERT_TRUE(add);
        (add->*c.trigger)->click();
        (add->*c.action)->click();
        QTest::keyClick(add->Text4, Qt::Key_Return);
        settle();
        EXPECT_EQ(listRows(editor->List4).last(), c.code);
        EXPECT_EQ(listRows(editor->List2).last(), c.triggerText);
        EXPECT_EQ(listRows(editor->List3).last(), c.actionText);
    }
}

TEST_F(TimingAddTest, EditReplacesItsRowInPlaceAndKeepsWhatItDidNotShow) {
    Timing_add* edit = openForEdit(1);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Text1->text(), "9:5") << "the task has no time; the box keeps the current";
    edit->Command2->click();
    EXPECT_EQ(listRows(editor->List4),
              QStringList({"T|12:00|P|a|", "S|U|", "C|W|http://b.example/|"}))
        << "an upgrade task keeps its option, though the user cannot choose it";
    EXPECT_EQ(listRows(editor->List3).at(1), "שדרוג תוכנת 'Tolvane'");
    settle();

    edit = openForEdit(2);
    EXPECT_TRUE(edit->Option4->isChecked());
    EXPECT_TRUE(edit->Option6->isChecked());
    EXPECT_EQ(edit->Text4->text(), "http://b.example/");
    edit->Option2->click();
    edit->Text2->setText("21/01/01");
    edit->Command2->click();
    EXPECT_EQ(listRows(editor->List4),
              QStringList({"T|12:00|P|a|", "S|U|", "D|21/01/01|W|http://b.example/|"}));
    EXPECT_EQ(listRows(editor->List2).at(2), "בתאריך: 21/01/01");
    EXPECT_EQ(selectedRows(editor), std::vector<int>({2, 2, 2}));
}

TEST_F(TimingAddTest, ATimeOrDateItCannotReadIsRefusedAndTheDialogStaysOpen) {
    Timing_add* add = openForAdd();
    add->Text1->setText("25:00");
    add->Command2->click();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "השעה אינה תקינה. יש לכתוב שעה ודקות, לדוגמה 23:30");
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");
    EXPECT_FALSE(add->isUnloaded());
    EXPECT_FALSE(editor->isEnabled());

    add->Option2->click();
    add->Text2->setText("31/04/27");
    add->Command2->click();
    EXPECT_EQ(fakes.messages.shown.back().text,
              "התאריך אינו תקין. יש לכתוב יום, חודש ושנה, לדוגמה 21/01/01");
    EXPECT_EQ(editor->List2->count(), 3);

    add->Text2->setText("30/04/27");
    add->Command2->click();
    EXPECT_TRUE(add->isUnloaded()) << "the time box no longer counts";
    EXPECT_EQ(listRows(editor->List4).last(), "D|30/04/27|P||");
}

TEST_F(TimingAddTest, BrowseFillsTheProgramButLeavesTheChosenAction) {
    Timing_add* add = openForAdd();
    add->Option6->click();
    add->Text3->setText("typed");
    add->Command1->click();  // cancelled
    EXPECT_EQ(add->Text3->text(), "typed");

    fakes.files.choices.emplace_back("/usr/games/חלל");
    add->Command1->click();
    EXPECT_EQ(add->Text3->text(), "/usr/games/חלל");
    EXPECT_TRUE(add->Option6->isChecked());
    EXPECT_EQ(fakes.files.owners.back(), add);
}

TEST_F(TimingAddTest, CancelAndTheCloseBoxWriteNothingAndBringTheEditorBack) {
    Timing_add* edit = openForEdit(0);
    edit->Text1->setText("13:00");
    edit->Command3->click();
    EXPECT_TRUE(editor->isEnabled());
    settle();

    Timing_add* add = openForAdd();
    add->Text3->setText("x");
    EXPECT_TRUE(add->close());
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(listRows(editor->List4),
              QStringList({"T|12:00|P|a|", "S|U|", "C|W|http://b.example/|"}));
    settle();
    EXPECT_EQ(dialog(), nullptr);
}

// Accessibility

// The boxes beside the options are named for what they hold and the browse button for what
// it does. Tab reads each line right to left and the lines top down, stopping in each frame
// only at its chosen option, and OK comes before cancel.
TEST_F(TimingAddTest, AScreenReaderFindsEveryControlNamedAndTabReadsRightToLeft) {
    Timing_add* add = openForAdd();
    ASSERT_TRUE(add);
    EXPECT_EQ(unnamedControls(add), std::vector<std::string>());
    EXPECT_EQ(accessibleName(add->Frame1), "תזמון ל:");
    EXPECT_EQ(accessibleName(add->Option3), "עם הפעלת תוכנת \"Tolvane\".");
    EXPECT_EQ(accessibleName(add->Text1), "השעה");
    EXPECT_EQ(accessibleName(add->Text2), "התאריך");
    EXPECT_EQ(accessibleName(add->Text3), "התוכנה להפעלה");
    EXPECT_EQ(accessibleName(add->Text4), "כתובת האתר");
    EXPECT_EQ(accessibleName(add->Command1), "עיון");
    EXPECT_EQ(accessibleText(add->Text1), "9:5");
    EXPECT_TRUE(accessibleState(add->Option1).checked);
    EXPECT_TRUE(accessibleState(add->Option10).disabled);
    EXPECT_EQ(wrongRoles({{add->Frame1, QAccessible::Grouping},
                          {add->Frame2, QAccessible::Grouping},
                          {add->Option1, QAccessible::RadioButton},
                          {add->Option10, QAccessible::RadioButton},
                          {add->Text1, QAccessible::EditableText},
                          {add->Command1, QAccessible::Button},
                          {add->Command2, QAccessible::Button}}),
              std::vector<std::string>());

    EXPECT_EQ(tabWalk(add, add->Option1),
              controlNames({add->Option1, add->Text1, add->Text2, add->Option5, add->Command1,
                            add->Text3, add->Text4, add->Command2, add->Command3}));
    // Tab goes on stopping at the option the user came to last.
    add->Option4->setFocus();
    EXPECT_EQ(tabWalk(add, add->Option4),
              controlNames({add->Option4, add->Option5, add->Command1, add->Text3, add->Text4,
                            add->Command2, add->Command3, add->Text1, add->Text2}));
    add->Command3->click();

    // An edited task's options, set by the editor, are the stops; the upgrade option cannot be
    // chosen, so its frame stops at its first.
    Timing_add* edit = openForEdit(1);
    ASSERT_TRUE(edit);
    ASSERT_TRUE(edit->Option3->isChecked());
    ASSERT_TRUE(edit->Option10->isChecked());
    EXPECT_EQ(tabWalk(edit, edit->Text1),
              controlNames({edit->Text1, edit->Text2, edit->Option3, edit->Option5, edit->Command1,
                            edit->Text3, edit->Text4, edit->Command2, edit->Command3}));
}

}  // namespace
}  // namespace tolvane
