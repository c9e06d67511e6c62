#include "ui/list_columns.h"

#include "ui/twips.h"

#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

namespace tolvane {
namespace {

// Rows of one fixed height, so that the columns line up row for row.
class FixedHeightRows : public QStyledItemDelegate {
public:
    FixedHeightRows(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

protected:
    // A path or an address reads left to right, still against the column's right edge;
    // read right to left its leading slash would jump to the far end.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!option->text.isRightToLeft()) {
            option->direction = Qt::LeftToRight;
            option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
        }
    }

private:
    int height_;
};

}  // namespace

QStringList listRows(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString rowText(const QListWidget* list, int row) {
    const QListWidgetItem* item = list->item(row);
    return item ? item->text() : QString();
}

void setRow(QListWidget* list, int row) {
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
    else
        list->selectionModel()->clear();
}

QListWidget* ListColumns::makeColumn(QWidget* parent, const char* name, QRect twips, int rows) {
    auto* column = new QListWidget(parent);
    column->setObjectName(QString::fromLatin1(name));
    column->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    column->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = std::max(1, column->contentsRect().height() / rows);
    column->setItemDelegate(new FixedHeightRows(rowHeight, column));
    QFont font = column->font();
    font.setPixelSize(std::max(8, rowHeight - 2));
    column->setFont(font);
    return column;
}

ListColumns::ListColumns(QListWidget* numbers, std::vector<QListWidget*> entries, int rows)
    : QObject(numbers), numbers_(numbers), entries_(std::move(entries)) {
    for (int number = 1; number <= rows; ++number)
        numbers_->addItem(QString::number(number));

    std::vector<QListWidget*> all = entries_;
    all.push_back(numbers_);
    for (QListWidget* column : all) {
        for (QListWidget* other : all) {
            if (other != column)
                connect(column->verticalScrollBar(), &QScrollBar::valueChanged,
                        other->verticalScrollBar(), &QScrollBar::setValue);
        }
    }
    QAbstractItemModel* first = entries_.front()->model();
    connect(first, &QAbstractItemModel::rowsInserted, this, &ListColumns::markFreeNumbers);
    connect(first, &QAbstractItemModel::rowsRemoved, this, &ListColumns::markFreeNumbers);
    connect(first, &QAbstractItemModel::modelReset, this, &ListColumns::markFreeNumbers);
    markFreeNumbers();
}

void ListColumns::selectRow(int row) {
    if (row >= entryCount())
        row = -1;
    std::vector<QListWidget*> all = entries_;
    all.push_back(numbers_);
    for (QListWidget* column : all) {
        const QSignalBlocker quiet(column);
        setRow(column, row);
    }
}

int ListColumns::entryCount() const {
    return entries_.front()->count();
}

void ListColumns::markFreeNumbers() {
    for (int row = 0; row < numbers_->count(); ++row) {
        numbers_->item(row)->setFlags(row < entryCount() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                                         : Qt::NoItemFlags);
    }
}

}  // namespace tolvane
