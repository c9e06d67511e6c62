#include "ui/progress_strip.h"

#include "ui/accessible_controls.h"

#include <QAccessible>

namespace tolvane {

ProgressStrip::ProgressStrip(QWidget* parent) : QFrame(parent) {
    installAccessibleControls();
}

void ProgressStrip::setPercent(int percent) {
    if (percent == percent_)
        return;
    percent_ = percent;
    QAccessibleValueChangeEvent event(this, percent);
    QAccessible::updateAccessibility(&event);
}

}  // namespace tolvane
