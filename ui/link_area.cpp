#include "ui/link_area.h"

#include <QMouseEvent>

namespace tolvane {

LinkArea::LinkArea(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void LinkArea::mousePressEvent(QMouseEvent* event) {
    // Taken here, so that a press on a link never starts dragging the window beneath.
    event->accept();
}

void LinkArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace tolvane
