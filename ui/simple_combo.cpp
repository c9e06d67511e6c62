#include "ui/simple_combo.h"

#include "ui/accessible_controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace tolvane {
namespace {

// Up and down in the text box move through the list, as in any combo box.
class ArrowKeys : public QObject {
public:
    ArrowKeys(SimpleCombo* combo) : QObject(combo), combo_(combo) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int step = key == Qt::Key_Down ? 1 : key == Qt::Key_Up ? -1 : 0;
        if (step == 0 || combo_->count() == 0)
            return QObject::eventFilter(watched, event);
        const int row = qBound(0, combo_->currentRow() + step, combo_->count() - 1);
        combo_->setCurrentRow(row);
        return true;
    }

private:
    SimpleCombo* combo_;
};

}  // namespace

SimpleCombo::SimpleCombo(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), list_(new QListWidget(this)) {
    installAccessibleControls();
    // One stop for Tab, its text box; the list takes no focus of its own.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edit_);
    list_->setFocusPolicy(Qt::NoFocus);
    // Rows are short names: a sideways scroll bar would only take a row's room.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->installEventFilter(new ArrowKeys(this));
    connect(edit_, &QLineEdit::textEdited, this, &SimpleCombo::typed);
    connect(list_, &QListWidget::currentRowChanged, this, &SimpleCombo::chosen);
}

void SimpleCombo::addItems(const QStringList& items) {
    list_->addItems(items);
}

int SimpleCombo::count() const {
    return list_->count();
}

int SimpleCombo::currentRow() const {
    return current_;
}

void SimpleCombo::setCurrentRow(int row) {
    if (row < 0 || row >= count()) {
        list_->setCurrentRow(-1);
        chosen(-1);
        return;
    }
    list_->setCurrentRow(row);
    list_->scrollToItem(list_->item(row));
    chosen(row);
}

QString SimpleCombo::text() const {
    return edit_->text();
}

void SimpleCombo::setAccessibleNames(const QString& box, const QString& list) {
    setAccessibleName(box);
    edit_->setAccessibleName(box);
    list_->setAccessibleName(list);
}

void SimpleCombo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int editHeight = edit_->sizeHint().height();
    edit_->setGeometry(0, 0, width(), editHeight);
    list_->setGeometry(0, editHeight, width(), qMax(0, height() - editHeight));
}

void SimpleCombo::typed(const QString& text) {
    int match = -1;
    for (int row = 0; row < count(); ++row) {
        const QString item = list_->item(row)->text();
        if (item.compare(text, Qt::CaseInsensitive) == 0) {
            match = row;
            break;
        }
    }
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(match);
    }
    if (!text.isEmpty()) {
        for (int row = 0; row < count(); ++row) {
            if (list_->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
                list_->scrollToItem(list_->item(row), QAbstractItemView::PositionAtTop);
                break;
            }
        }
    }
    if (match != current_) {
        current_ = match;
        emit currentRowChanged(current_);
    }
}

void SimpleCombo::chosen(int row) {
    if (row >= 0)
        edit_->setText(list_->item(row)->text());
    if (row != current_) {
        current_ = row;
        emit currentRowChanged(current_);
    }
}

}  // namespace tolvane
