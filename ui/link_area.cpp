#include "ui/link_area.h"

#include "ui/accessible_controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tolvane {

LinkArea::LinkArea(QWidget* parent) : QWidget(parent) {
    installAccessibleControls();
    setCursor(Qt::PointingHandCursor);
    // Tab only: a click follows the link and leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void LinkArea::follow() {
    emit clicked();
}

void LinkArea::mousePressEvent(QMouseEvent* event) {
    // Taken here, so that a press on a link never starts dragging the window beneath.
    event->accept();
}

void LinkArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        follow();
}

void LinkArea::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            follow();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void LinkArea::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = event->reason() == Qt::TabFocusReason ||
                     event->reason() == Qt::BacktabFocusReason ||
                     event->reason() == Qt::ShortcutFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void LinkArea::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    update();
    QWidget::focusOutEvent(event);
}

void LinkArea::paintEvent(QPaintEvent*) {
    if (!keyboardFocus_ || !hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace tolvane
