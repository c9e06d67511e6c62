#include "ui/list_editor.h"

#include "testing/accessibility.h"
#include "ui/twips.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tolvane {
namespace {

// An editor that only notes which of its command handlers ran.
class NotingEditor : public ListEditor {
public:
    NotingEditor()
        : ListEditor({.name = QStringLiteral("Noting"),
                      .caption = QStringLiteral("רשימה"),
                      .rows = 6,
                      .headingHeight = 255,
                      .numbersName = QStringLiteral("מספרים"),
                      .first = {QStringLiteral("ראשון:"), QStringLiteral("ראשונים"), 4080, 1695},
                      .second = {QStringLiteral("שני:"), QStringLiteral("שניים"), 1440, 2535}}) {}

    QStringList ran;

    void Command1_Click() override { ran.append(QStringLiteral("Command1")); }
    void Command2_Click() override { ran.append(QStringLiteral("Command2")); }
    void Command3_Click() override { ran.append(QStringLiteral("Command3")); }
    void Command4_Click() override { ran.append(QStringLiteral("Command4")); }
    void Command5_Click() override { ran.append(QStringLiteral("Command5")); }
    void Command6_Click() override { ran.append(QStringLiteral("Command6")); }
    void Command9_Click() override { ran.append(QStringLiteral("Command9")); }

    void addEntries(int count) {
        for (int i = 0; i < count; ++i) {
            List2->addItem(QStringLiteral("entry %1").arg(i));
            List3->addItem(QStringLiteral("value %1").arg(i));
        }
    }
    std::vector<int> currentRows() const {
        return {List1->currentRow(), List2->currentRow(), List3->currentRow()};
    }
};

TEST(ListEditorTest, EachCommandRunsTheHandlerOfItsOwnName) {
    NotingEditor editor;
    for (QPushButton* command : {editor.Command1, editor.Command3, editor.Command2, editor.Command4,
                                 editor.Command5, editor.Command9, editor.Command6}) {
        editor.ran.clear();
        command->click();
        EXPECT_EQ(editor.ran, QStringList({command->objectName()}));
    }
}

TEST(ListEditorTest, ARowChosenInAnyColumnIsChosenInAllAndAFreeNumberChoosesNone) {
    NotingEditor editor;
    editor.addEntries(3);

    editor.List3->setCurrentRow(2);
    EXPECT_EQ(editor.currentRows(), std::vector<int>({2, 2, 2}));
    editor.List1->setCurrentRow(0);
    EXPECT_EQ(editor.currentRows(), std::vector<int>({0, 0, 0}));
    editor.List2->setCurrentRow(1);
    EXPECT_EQ(editor.currentRows(), std::vector<int>({1, 1, 1}));

    // Number 5 stands beside no entry.
    editor.List1->setCurrentRow(4);
    EXPECT_EQ(editor.currentRows(), std::vector<int>({-1, -1, -1}));
    EXPECT_TRUE(editor.ran.isEmpty());
}

TEST(ListEditorTest, EachEntryColumnStandsUnderItsOwnHeadingWithTheNumbersBesideThem) {
    NotingEditor editor;
    EXPECT_EQ(editor.objectName(), "Noting");
    EXPECT_EQ(editor.windowTitle(), "רשימה");
    EXPECT_EQ(editor.List1->count(), 6);
    EXPECT_EQ(editor.List1->item(5)->text(), "6");
    EXPECT_TRUE(editor.List1->isEnabled());
    EXPECT_TRUE(editor.List4->isHidden());

    EXPECT_EQ(editor.Label1->text(), "מ\"ס:");
    EXPECT_EQ(editor.Label3->text(), "ראשון:");
    EXPECT_EQ(editor.Label2->text(), "שני:");
    EXPECT_EQ(editor.Label3->geometry(), twipsRect(4080, 120, 1695, 255));
    EXPECT_EQ(editor.Label2->geometry(), twipsRect(1440, 120, 2535, 255));
    EXPECT_EQ(editor.List2->geometry(), twipsRect(4080, 360, 1695, 2985));
    EXPECT_EQ(editor.List3->geometry(), twipsRect(1440, 360, 2535, 2985));
    EXPECT_EQ(editor.Label1->geometry().left(), editor.List1->geometry().left());
}

// Each list box is known by what it holds; its rows are read with their texts, and the row
// chosen in one column reads as chosen in the others. (How the rows follow a change is Qt's
// own, and only while a screen reader listens: the end-to-end test reads that.)
TEST(ListEditorTest, AScreenReaderReadsEachColumnByNameRowByRow) {
    NotingEditor editor;
    EXPECT_EQ(unnamedControls(&editor), std::vector<std::string>());
    EXPECT_EQ(accessibleName(editor.List1), "מספרים");
    EXPECT_EQ(accessibleName(editor.List2), "ראשונים");
    EXPECT_EQ(accessibleName(editor.List3), "שניים");
    EXPECT_EQ(wrongRoles({{editor.List1, QAccessible::List},
                          {editor.List2, QAccessible::List},
                          {editor.List3, QAccessible::List},
                          {editor.Label3, QAccessible::StaticText},
                          {editor.Command6, QAccessible::Button}}),
              std::vector<std::string>());

    editor.addEntries(2);
    editor.List2->addItem(QStringLiteral("שלישי"));
    EXPECT_EQ(accessibleRows(editor.List2), QStringList({"entry 0", "entry 1", "שלישי"}));

    editor.List3->setCurrentRow(1);
    QAccessibleInterface* numbers = QAccessible::queryAccessibleInterface(editor.List1);
    ASSERT_TRUE(numbers->child(1));
    EXPECT_TRUE(numbers->child(1)->state().selected);
    EXPECT_EQ(numbers->child(1)->text(QAccessible::Name), "2");
}

}  // namespace
}  // namespace tolvane
