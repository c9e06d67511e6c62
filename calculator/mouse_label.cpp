#include "calculator/mouse_label.h"

#include <QMouseEvent>

namespace tolvane {

MouseLabel::MouseLabel(QWidget* parent) : QLabel(parent) {}

void MouseLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown(event->button());
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit mouseUp(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace tolvane
