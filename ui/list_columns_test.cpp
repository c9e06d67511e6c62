#include "ui/list_columns.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>
#include <QWidget>

namespace tolvane {
namespace {

class ListColumnsTest : public testing::Test {
protected:
    ListColumnsTest() {
        numbers = ListColumns::makeColumn(&window, "numbers", {2000, 0, 400, 1500}, kRows);
        first = ListColumns::makeColumn(&window, "first", {1000, 0, 1000, 1500}, kRows);
        second = ListColumns::makeColumn(&window, "second", {0, 0, 1000, 1500}, kRows);
        columns = new ListColumns(numbers, {first, second}, kRows);
    }
    void addEntries(int count) {
        for (int i = 0; i < count; ++i) {
            first->addItem(QStringLiteral("a%1").arg(i));
            second->addItem(QStringLiteral("b%1").arg(i));
        }
    }
    static bool selectable(const QListWidgetItem* item) {
        return item->flags().testFlag(Qt::ItemIsSelectable);
    }

    static constexpr int kRows = 5;
    QWidget window;
    QListWidget* numbers;
    QListWidget* first;
    QListWidget* second;
    ListColumns* columns;
};

TEST_F(ListColumnsTest, RowsLineUpBesideTheirNumbers) {
    addEntries(kRows);
    window.show();
    ASSERT_EQ(listRows(numbers), QStringList({"1", "2", "3", "4", "5"}));
    for (int row = 0; row < kRows; ++row) {
        const int top = numbers->visualItemRect(numbers->item(row)).top();
        EXPECT_EQ(first->visualItemRect(first->item(row)).top(), top) << row;
        EXPECT_EQ(second->visualItemRect(second->item(row)).top(), top) << row;
    }
}

TEST_F(ListColumnsTest, NumbersWithoutAnEntryCannotBeChosenAndFollowTheEntries) {
    addEntries(2);
    EXPECT_TRUE(selectable(numbers->item(1)));
    EXPECT_FALSE(selectable(numbers->item(2)));
    delete first->takeItem(0);
    EXPECT_FALSE(selectable(numbers->item(1)));
    first->clear();
    EXPECT_FALSE(selectable(numbers->item(0)));
}

TEST_F(ListColumnsTest, SelectingARowSelectsItEverywhereAndARowWithoutEntryNothing) {
    addEntries(3);
    columns->selectRow(2);
    EXPECT_EQ(numbers->currentRow(), 2);
    EXPECT_EQ(first->currentRow(), 2);
    EXPECT_EQ(second->currentRow(), 2);
    columns->selectRow(4);
    EXPECT_TRUE(numbers->selectedItems().isEmpty());
    EXPECT_TRUE(first->selectedItems().isEmpty());
    EXPECT_TRUE(second->selectedItems().isEmpty());
}

TEST_F(ListColumnsTest, TheColumnsScrollTogether) {
    addEntries(kRows);
    for (int i = 0; i < 20; ++i) {
        first->addItem(QStringLiteral("more"));
        second->addItem(QStringLiteral("more"));
    }
    window.show();
    const int bottom = first->verticalScrollBar()->maximum();
    ASSERT_GT(bottom, 0);
    first->verticalScrollBar()->setValue(bottom);
    EXPECT_EQ(second->verticalScrollBar()->value(), bottom);
}

}  // namespace
}  // namespace tolvane
