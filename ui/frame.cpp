#include "ui/frame.h"

namespace tolvane {

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(parent), caption_(caption) {
    setAccessibleName(caption);
}

void Frame::showEvent(QShowEvent* event) {
    if (title() != caption_)
        setTitle(caption_);
    QGroupBox::showEvent(event);
}

}  // namespace tolvane
