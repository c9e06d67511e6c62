#include "shortcuts/shortcut_windows_fixture.h"
#include "testing/accessibility.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tolvane {
namespace {

class ShortcutDialogTest : public ShortcutWindowsTest {
protected:
    void SetUp() override {
        writeNumberedRecords(4);
        editor = openEditor();
    }
    ShortCuts_Add* openForAdd() {
        editor->Command1->click();
        return dialog();
    }
    ShortCuts_Add* openForEdit(int row) {
        editor->List1->setCurrentRow(row);
        editor->Command3->click();
        return dialog();
    }

    ShortCuts* editor = nullptr;
};

TEST_F(ShortcutDialogTest, AddCleansBothTextsAndPutsTheRecordLast) {
    ShortCuts_Add* add = openForAdd();
    ASSERT_TRUE(add);
    add->Text1->setText("  Mail  ");
    add->Text2->setText(" C:\\Mail.exe");
    add->Command2->click();
    EXPECT_TRUE(add->isUnloaded());
    EXPECT_EQ(rows(editor->List2).last(), "Mail");
    EXPECT_EQ(rows(editor->List3).last(), "C:\\Mail.exe");
    EXPECT_EQ(editor->List2->count(), 5);
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(selectedRows(editor), std::vector<int>({-1, -1, -1}));
}

TEST_F(ShortcutDialogTest, APastedLineBreakIsDroppedFromTheName) {
    ShortCuts_Add* add = openForAdd();
    add->Text1->setText("ab\r\ncd");
    add->Text2->setText("x");
    add->Command2->click();
    EXPECT_EQ(rows(editor->List2).last(), "abcd");
}

TEST_F(ShortcutDialogTest, AnEmptyFieldAfterCleaningKeepsTheDialogOpenSilently) {
    ShortCuts_Add* add = openForAdd();
    add->Text1->setText("   ");
    add->Text2->setText("x");
    add->Command2->click();
    EXPECT_EQ(add->Text1->text(), "");
    EXPECT_FALSE(add->isUnloaded());

    add->Text1->setText("  name ");
    add->Text2->setText(" \r\n ");
    add->Command2->click();
    EXPECT_EQ(add->Text1->text(), "name");
    EXPECT_EQ(add->Text2->text(), "");
    EXPECT_FALSE(add->isUnloaded());
    EXPECT_FALSE(editor->isEnabled());
    EXPECT_EQ(editor->List2->count(), 4);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ShortcutDialogTest, EditReplacesItsRecordInPlace) {
    ShortCuts_Add* edit = openForEdit(2);
    edit->Text1->setText("renamed");
    edit->Text2->setText("elsewhere");
    edit->Command2->click();
    EXPECT_TRUE(edit->isUnloaded());
    EXPECT_EQ(rows(editor->List2), QStringList({"name1", "name2", "renamed", "name4"}));
    EXPECT_EQ(rows(editor->List3), QStringList({"target1", "target2", "elsewhere", "target4"}));
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(selectedRows(editor), std::vector<int>({2, 2, 2}));
}

TEST_F(ShortcutDialogTest, EnterInEitherBoxConfirms) {
    ShortCuts_Add* add = openForAdd();
    add->Text1->setText("n");
    add->Text2->setText("t");
    QTest::keyClick(add->Text2, Qt::Key_Return);
    EXPECT_TRUE(add->isUnloaded());
    EXPECT_EQ(rows(editor->List2).last(), "n");
}

TEST_F(ShortcutDialogTest, CancelAndTheWindowsOwnCloseChangeNothingAndEnableTheEditor) {
    ShortCuts_Add* edit = openForEdit(0);
    edit->Text1->setText("changed");
    edit->Command1->click();
    EXPECT_TRUE(editor->isEnabled());
    settle();

    ShortCuts_Add* add = openForAdd();
    add->Text1->setText("n");
    add->Text2->setText("t");
    EXPECT_TRUE(add->close());
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(rows(editor->List2), QStringList({"name1", "name2", "name3", "name4"}));
    settle();
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(ShortcutDialogTest, BrowseFillsTheTargetAndACancelBringsBackTheLastChoice) {
    ShortCuts_Add* add = openForAdd();
    add->Text2->setText("typed");
    add->Command7->click();  // cancelled before any choice
    EXPECT_EQ(add->Text2->text(), "typed");

    fakes.files.choices.emplace_back("/usr/bin/first");
    add->Command7->click();
    EXPECT_EQ(add->Text2->text(), "/usr/bin/first");

    add->Text2->setText("typed again");
    add->Command7->click();  // cancelled
    EXPECT_EQ(add->Text2->text(), "/usr/bin/first");
    EXPECT_EQ(fakes.files.presets, QStringList({"", "", "/usr/bin/first"}));
    EXPECT_EQ(fakes.files.owners.back(), add);
}

TEST_F(ShortcutDialogTest, EveryOpeningStartsFromItsDesign) {
    ShortCuts_Add* add = openForAdd();
    fakes.files.choices.emplace_back("/usr/bin/first");
    add->Command7->click();
    add->Command1->click();
    settle();

    add = openForAdd();
    EXPECT_EQ(add->Text2->text(), "");
    add->Command7->click();
    EXPECT_EQ(fakes.files.presets.last(), "");
}

// Each box is named by the label above it, the browse button by what it does rather than
// its dots; Tab reads the boxes right to left, the browse button where it stands between them,
// then confirm before cancel.
TEST_F(ShortcutDialogTest, AScreenReaderFindsEveryControlNamedAndTabReadsRightToLeft) {
    ShortCuts_Add* add = openForEdit(1);
    ASSERT_TRUE(add);
    EXPECT_EQ(unnamedControls(add), std::vector<std::string>());
    EXPECT_EQ(accessibleName(add->Text1), add->Label3->text());
    EXPECT_EQ(accessibleName(add->Text2), add->Label2->text());
    EXPECT_EQ(accessibleText(add->Text1), "name2");
    EXPECT_EQ(accessibleName(add->Command7), "עיון");
    EXPECT_FALSE(accessibleName(add->Frame1).isEmpty());
    EXPECT_EQ(accessibleName(add->Command2), "אישור");
    EXPECT_EQ(wrongRoles({{add->Frame1, QAccessible::Grouping},
                          {add->Text1, QAccessible::EditableText},
                          {add->Text2, QAccessible::EditableText},
                          {add->Command7, QAccessible::Button},
                          {add->Command2, QAccessible::Button},
                          {add->Command1, QAccessible::Button}}),
              std::vector<std::string>());

    EXPECT_EQ(tabWalk(add, add->Text1),
              controlNames({add->Text1, add->Command7, add->Text2, add->Command2, add->Command1}));
}

}  // namespace
}  // namespace tolvane
