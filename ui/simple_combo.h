#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace tolvane {

// A combo box whose list is always open under its text box. Choosing a row puts its text in
// the box; typing chooses the first row whose text is the typed text (case aside), or no row
// at all, and brings the first row that starts with it into view. The focus stays in the text
// box, where Up and Down move through the list: the list is no stop of its own for Tab.
// Assistive technology reads it as a combo box.
class SimpleCombo : public QWidget {
    Q_OBJECT
public:
    explicit SimpleCombo(QWidget* parent = nullptr);

    void addItems(const QStringList& items);
    int count() const;
    // The chosen row, or -1 for none.
    int currentRow() const;
    void setCurrentRow(int row);
    QString text() const;
    // What a screen reader calls the box (and its text box) and the list under it.
    void setAccessibleNames(const QString& box, const QString& list);

    QLineEdit* edit() const { return edit_; }
    QListWidget* list() const { return list_; }

signals:
    void currentRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void typed(const QString& text);
    void chosen(int row);

    QLineEdit* edit_;
    QListWidget* list_;
    int current_ = -1;
};

}  // namespace tolvane
