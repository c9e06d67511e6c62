#include "shortcuts/shortcut_windows_fixture.h"
#include "testing/accessibility.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <functional>
#include <vector>

namespace tolvane {
namespace {

class ShortcutEditorTest : public ShortcutWindowsTest {};

// Loading and the list file

TEST_F(ShortcutEditorTest, ReadsAWindowsFileWithHebrewAndAnOddLastLine) {
    writeList("\xE3\xE5\xE0\xF8 \r\nC:\\Mail.exe\r\n  \r\n\r\n\xE0\xFA\xF8\r\n");
    ShortCuts* editor = openEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(rows(editor->List2),
              QStringList({QStringLiteral("דואר "), "  ", QStringLiteral("אתר")}));
    EXPECT_EQ(rows(editor->List3), QStringList({"C:\\Mail.exe", "", ""}));
    EXPECT_EQ(editor->List1->count(), 15);
    EXPECT_EQ(editor->List4->count(), 0);
    EXPECT_EQ(selectedRows(editor), std::vector<int>({-1, -1, -1}));
}

TEST_F(ShortcutEditorTest, AMissingFileIsCreatedEmptyAndTheEditorOpensOnIt) {
    menu.addShortcutItem()->setText("stale");
    ShortCuts* editor = openEditor();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->List2->count(), 0);
    EXPECT_FALSE(editor->List1->item(0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(listBytes(), QByteArray());
    EXPECT_EQ(menu.captions(), QStringList());
    EXPECT_EQ(menu.shortcutItemCount(), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ShortcutEditorTest, AFileThatCannotBeReadIsLeftAloneAndTheEditorStaysShut) {
    ASSERT_TRUE(QDir(fakes.app.folder).mkpath("SC.Dat/inside"));
    menu.addShortcutItem()->setText("stale");
    EXPECT_EQ(openEditor(), nullptr);
    settle();
    EXPECT_EQ(windows.find<ShortCuts>(), nullptr);
    EXPECT_TRUE(QDir(listPath()).exists("inside"));
    EXPECT_EQ(menu.captions(), QStringList());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ShortcutEditorTest, SavingWritesTwoCrLfLinesPerRecordInTheCodePage) {
    writeRecords({QStringLiteral("דואר"), "C:\\Mail.exe", " a ", "", "x", "y"});
    ShortCuts* editor = openEditor();
    editor->List1->setCurrentRow(2);
    editor->Command2->click();
    editor->Command6->click();
    EXPECT_EQ(listBytes(), "\xE3\xE5\xE0\xF8\r\nC:\\Mail.exe\r\n a \r\n\r\n");
    EXPECT_TRUE(editor->isUnloaded());
    EXPECT_EQ(menu.captions(), QStringList({QStringLiteral("דואר"), " a "}));
    EXPECT_EQ(menu.targets(), QStringList({"C:\\Mail.exe", ""}));
}

TEST_F(ShortcutEditorTest, TextTheCodePageCannotHoldIsSavedAsUtf8NotAsQuestionMarks) {
    writeList("");
    ShortCuts* editor = openEditor();
    editor->List2->addItem(QStringLiteral("Отчёт 😀"));
    editor->List3->addItem(QStringLiteral("/home/u/отчёт.odt"));
    editor->Command6->click();
    settle();
    EXPECT_TRUE(listBytes().startsWith("\xEF\xBB\xBF"));
    editor = openEditor();
    EXPECT_EQ(rows(editor->List2), QStringList({QStringLiteral("Отчёт 😀")}));
    EXPECT_EQ(rows(editor->List3), QStringList({QStringLiteral("/home/u/отчёт.odt")}));
}

TEST_F(ShortcutEditorTest, AReadOnlyFileFailsOnceStaysUnchangedAndTheEditorStillCloses) {
    writeRecords({"old", "t"});
    QFile::setPermissions(listPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ShortCuts* editor = openEditor();
    editor->Command5->click();  // the fake box answers Ok, which is not Yes
    fakes.messages.answer = MessageBoxes::Answer::Yes;
    editor->Command5->click();
    fakes.messages.shown.clear();
    editor->Command6->click();

    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "There has been a error!");
    EXPECT_EQ(fakes.messages.shown[0].title, "Error");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageBoxes::Buttons::Ok);
    EXPECT_EQ(listBytes(), "old\r\nt\r\n");
    EXPECT_TRUE(editor->isUnloaded());
    EXPECT_EQ(menu.captions(), QStringList()) << "the menu already shows the unsaved list";
}

TEST_F(ShortcutEditorTest, ClosingWithoutSavingKeepsFileAndMenu) {
    writeRecords({"a", "1", "b", "2"});
    openEditor()->Command6->click();  // the menu now shows the file
    settle();
    const QByteArray before = listBytes();

    ShortCuts* editor = openEditor();
    fakes.messages.answer = MessageBoxes::Answer::Yes;
    editor->Command5->click();
    editor->List2->addItem("new");
    editor->List3->addItem("3");
    editor->Command9->click();
    settle();
    EXPECT_EQ(listBytes(), before);
    EXPECT_EQ(menu.captions(), QStringList({"a", "b"}));
    editor = openEditor();
    EXPECT_EQ(rows(editor->List2), QStringList({"a", "b"}));
}

// Start-up fills the menu without the editor, as loading the editor and unloading it again
// did: the same items, the same file afterwards and the same boxes, whatever the file holds.
TEST_F(ShortcutEditorTest, StartUpFillsTheMenuAsLoadingAndUnloadingTheEditorDid) {
    struct Start {
        const char* what;
        std::function<void()> prepare;
    };
    const std::vector<Start> starts = {
        {"records, an odd last line", [&] { writeList("\xE3\xE5\xE0\xF8\r\nC:\\M.exe\r\n&x\r\n"); }},
        {"more than fifteen", [&] { writeNumberedRecords(17); }},
        {"empty", [&] { writeList(""); }},
        {"missing", [] {}},
        {"unreadable", [&] { ASSERT_TRUE(QDir(fakes.app.folder).mkpath("SC.Dat/inside")); }},
        {"missing, no folder to write it in",
         [&] {
             const QString file = QDir(fakes.app.folder).filePath("a-file");
             QFile(file).open(QIODevice::WriteOnly);
             fakes.app.folder = file + "/below";
         }},
    };
    const auto outcome = [&](const FakeShortcutMenu& shown) {
        QStringList boxes;
        for (const auto& box : fakes.messages.shown)
            boxes << box.text;
        return QStringList{shown.captions().join('|'), shown.targets().join('|'), listBytes(),
                           boxes.join('|')};
    };
    const QString folder = fakes.app.folder;
    for (const Start& start : starts) {
        const auto reset = [&] {
            fakes.app.folder = folder;
            QDir(listPath()).removeRecursively();
            QFile::remove(listPath());
            fakes.messages.shown.clear();
            start.prepare();
        };
        reset();
        menu.addShortcutItem()->setText("stale");
        if (ShortCuts* editor = windows.load<ShortCuts>()) {
            editor->Update_Lists();
            windows.unload<ShortCuts>();
        }
        settle();
        const QStringList byEditor = outcome(menu);

        reset();
        FakeShortcutMenu startMenu;
        startMenu.addShortcutItem()->setText("stale");
        ShortCuts::loadMenuItems(fakes.services(), startMenu);
        EXPECT_EQ(outcome(startMenu), byEditor) << start.what;
    }
}

// The tray menu's items

TEST_F(ShortcutEditorTest, TheMenuFollowsTheListAsItShrinksEmptiesAndRepeatsNames) {
    writeNumberedRecords(5);
    ShortCuts* editor = openEditor();
    editor->Update_Lists();
    EXPECT_EQ(menu.captions().size(), 5);

    editor->List2->item(0)->setText("same");
    editor->List2->item(1)->setText("same");
    for (int i = 4; i >= 2; --i) {
        delete editor->List2->takeItem(i);
        delete editor->List3->takeItem(i);
    }
    editor->Update_Lists();
    EXPECT_EQ(menu.captions(), QStringList({"same", "same"}));
    EXPECT_EQ(menu.targets(), QStringList({"target1", "target2"}));
    EXPECT_EQ(menu.shortcutItemCount(), 2);

    editor->List2->clear();
    editor->List3->clear();
    editor->Update_Lists();
    EXPECT_EQ(menu.captions(), QStringList());
    EXPECT_EQ(menu.shortcutItemCount(), 1);
    EXPECT_FALSE(menu.items[0]->isVisible());
}

TEST_F(ShortcutEditorTest, AHandEditedListOfMoreThanFifteenIsShownAndRemovedWhole) {
    writeNumberedRecords(17);
    ShortCuts* editor = openEditor();
    editor->Update_Lists();
    EXPECT_EQ(menu.captions().size(), 17);
    EXPECT_EQ(menu.targets().last(), "target17");

    editor->List1->setCurrentRow(0);
    editor->Command2->click();
    editor->List1->setCurrentRow(0);
    editor->Command2->click();
    editor->Update_Lists();
    EXPECT_EQ(menu.captions().size(), 15);
    EXPECT_EQ(menu.shortcutItemCount(), 15);
    EXPECT_EQ(menu.captions().first(), "name3");
}

TEST_F(ShortcutEditorTest, CaptionsAreShownLiterally) {
    writeRecords({"Tom & Jerry", "a", "-", "b", "x\ty", "c"});
    openEditor()->Update_Lists();
    EXPECT_EQ(menu.captions(), QStringList({"Tom && Jerry", "-", "x y"}));
    for (const QAction* item : menu.items)
        EXPECT_FALSE(item->isSeparator());
    EXPECT_EQ(menu.targets(), QStringList({"a", "b", "c"}));
}

// Selection

TEST_F(ShortcutEditorTest, ARowChosenInAnyColumnIsChosenInAllThree) {
    writeNumberedRecords(4);
    ShortCuts* editor = openEditor();
    editor->List1->setCurrentRow(1);
    EXPECT_EQ(selectedRows(editor), std::vector<int>({1, 1, 1}));
    editor->List3->setCurrentRow(3);
    EXPECT_EQ(selectedRows(editor), std::vector<int>({3, 3, 3}));
    editor->List2->setCurrentRow(0);
    EXPECT_EQ(selectedRows(editor), std::vector<int>({0, 0, 0}));
    EXPECT_EQ(editor->List2->selectedItems().size(), 1);
}

TEST_F(ShortcutEditorTest, ANumberWithNoRecordCannotBeChosenAndLeavesNoGap) {
    writeNumberedRecords(2);
    ShortCuts* editor = openEditor();
    EXPECT_TRUE(editor->List1->item(1)->flags() & Qt::ItemIsSelectable);
    EXPECT_FALSE(editor->List1->item(2)->flags() & Qt::ItemIsSelectable);

    editor->List1->setCurrentRow(1);
    editor->List1->setCurrentRow(9);
    EXPECT_EQ(selectedRows(editor), std::vector<int>({-1, -1, -1}));
    editor->Command3->click();
    editor->Command2->click();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(rows(editor->List2), QStringList({"name1", "name2"}));

    editor->List2->addItem("name3");
    editor->List3->addItem("target3");
    EXPECT_TRUE(editor->List1->item(2)->flags() & Qt::ItemIsSelectable);
}

// Commands

TEST_F(ShortcutEditorTest, DeleteMovesTheRowsBelowUpAndSelectsNothing) {
    writeNumberedRecords(4);
    ShortCuts* editor = openEditor();
    editor->List2->setCurrentRow(1);
    editor->Command2->click();
    EXPECT_EQ(rows(editor->List2), QStringList({"name1", "name3", "name4"}));
    EXPECT_EQ(rows(editor->List3), QStringList({"target1", "target3", "target4"}));
    EXPECT_EQ(selectedRows(editor), std::vector<int>({-1, -1, -1}));
    EXPECT_TRUE(editor->List2->selectedItems().isEmpty());
    EXPECT_EQ(editor->List1->count(), 15);
}

TEST_F(ShortcutEditorTest, AddIsRefusedAtFifteenUntilOneIsDeleted) {
    writeNumberedRecords(15);
    ShortCuts* editor = openEditor();
    editor->Command1->click();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(editor->isEnabled());

    editor->List1->setCurrentRow(14);
    editor->Command2->click();
    EXPECT_EQ(rows(editor->List2).last(), "name14");
    editor->Command1->click();
    ASSERT_TRUE(dialog());
    EXPECT_FALSE(editor->isEnabled());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(dialog()->Stat->text(), "0");
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("הוספת קיצור דרך חדש"));
    EXPECT_EQ(dialog()->Text1->text(), "");
    EXPECT_EQ(dialog()->Text2->text(), "");
}

TEST_F(ShortcutEditorTest, EditPassesTheRecordAndItsNumberOrDoesNothing) {
    writeNumberedRecords(4);
    ShortCuts* editor = openEditor();
    editor->Command3->click();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(editor->isEnabled());

    editor->List3->setCurrentRow(2);
    editor->Command3->click();
    ASSERT_TRUE(dialog());
    EXPECT_FALSE(editor->isEnabled());
    EXPECT_EQ(dialog()->Stat->text(), "3");
    EXPECT_EQ(dialog()->Text1->text(), "name3");
    EXPECT_EQ(dialog()->Text2->text(), "target3");
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("עריכת קיצור דרך קיים"));
}

TEST_F(ShortcutEditorTest, WhileTheDialogIsOpenTheEditorCannotBeClosed) {
    writeNumberedRecords(1);
    ShortCuts* editor = openEditor();
    editor->Command1->click();
    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(editor->isVisible());
    dialog()->Command1->click();
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_TRUE(editor->close());
    settle();

    editor = openEditor();
    editor->Command1->click();
    fakes.program.ending = true;
    EXPECT_TRUE(editor->close()) << "log-off is never held up";
}

TEST_F(ShortcutEditorTest, RunOpensTheSelectedTargetSavedOrNot) {
    writeNumberedRecords(2);
    ShortCuts* editor = openEditor();
    editor->Command4->click();
    editor->List2->addItem("new");
    editor->List3->addItem("http:\\\\example.test");
    editor->List2->setCurrentRow(2);
    editor->Command4->click();
    EXPECT_EQ(fakes.opener.opened, QStringList({"", "http:\\\\example.test"}));
}

TEST_F(ShortcutEditorTest, ClearAsksFirstAndKeepsTheNumbers) {
    writeNumberedRecords(3);
    ShortCuts* editor = openEditor();
    editor->List1->setCurrentRow(1);
    fakes.messages.answer = MessageBoxes::Answer::No;
    editor->Command5->click();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text,
              QStringLiteral("? פעולה זאת תנקה את כל הרשימה, אתה בטוח שברצונך לבצעה"));
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(fakes.messages.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");
    EXPECT_EQ(editor->List2->count(), 3);

    fakes.messages.answer = MessageBoxes::Answer::Yes;
    editor->Command5->click();
    EXPECT_EQ(editor->List2->count(), 0);
    EXPECT_EQ(editor->List3->count(), 0);
    EXPECT_EQ(editor->List1->count(), 15);
    EXPECT_EQ(selectedRows(editor), std::vector<int>({-1, -1, -1}));

    editor->Command6->click();
    EXPECT_EQ(listBytes(), QByteArray());
}

// Accessibility

TEST_F(ShortcutEditorTest, AScreenReaderFindsEveryControlNamedAndTabReadsRightToLeft) {
    writeRecords({QStringLiteral("דואר"), "C:\\Mail.exe"});
    ShortCuts* editor = openEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(unnamedControls(editor), std::vector<std::string>());
    EXPECT_EQ(accessibleName(editor->List1), "מספרי קיצורי הדרך");
    EXPECT_EQ(accessibleName(editor->List2), "שמות התצוגה");
    EXPECT_EQ(accessibleName(editor->List3), "יעדי קיצורי הדרך");
    EXPECT_EQ(wrongRoles({{editor->Label1, QAccessible::StaticText},
                          {editor->List1, QAccessible::List},
                          {editor->List2, QAccessible::List},
                          {editor->List3, QAccessible::List},
                          {editor->Command1, QAccessible::Button},
                          {editor->Command9, QAccessible::Button}}),
              std::vector<std::string>());

    EXPECT_EQ(tabWalk(editor, editor->List1),
              controlNames({editor->List1, editor->List2, editor->List3, editor->Command1,
                            editor->Command3, editor->Command2, editor->Command4, editor->Command5,
                            editor->Command9, editor->Command6}));
}

}  // namespace
}  // namespace tolvane
