#pragma once

#include <QObject>
#include <QStringList>

#include <vector>

class QListWidget;
class QWidget;

namespace tolvane {

// The texts of every row of a list box, top to bottom.
QStringList listRows(const QListWidget* list);
// The row's text, or nothing when there is no such row.
QString rowText(const QListWidget* list, int row);
// Selects the row, or nothing when there is no such row.
void setRow(QListWidget* list, int row);

// An editor's list shown as side-by-side list boxes, row i of each belonging to entry i: a
// column of fixed numbers 1 to N and the columns of the entries themselves. The columns keep
// one row height, so that N rows fill them and row i stands beside number i + 1; they scroll
// together; and numbers with no entry beside them are greyed and cannot be chosen.
class ListColumns : public QObject {
    Q_OBJECT
public:
    // A list box of the editor's list at its place in twips, its rows sized for `rows` rows.
    static QListWidget* makeColumn(QWidget* parent, const char* name, QRect twips, int rows);

    // numbers: the fixed column, filled here; entries: the entry columns, the first of which
    // tells how many entries there are. The numbers column must be made before the entry
    // columns: this object goes with it, before any entry column empties as it is destroyed.
    ListColumns(QListWidget* numbers, std::vector<QListWidget*> entries, int rows);

    // Selects that entry's row in every column; a row with no entry selects nothing. The
    // columns' own row-change signals stay quiet meanwhile.
    void selectRow(int row);
    int entryCount() const;

private:
    void markFreeNumbers();

    QListWidget* numbers_;
    std::vector<QListWidget*> entries_;
};

}  // namespace tolvane
