#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace tolvane {

// A combo box whose list is always open under its text box. Choosing a row puts its text in
// the box; typing chooses the first row whose text is the typed text (case aside), or no row
// at all, and brings the first row that starts with it into view.
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
