#pragma once

#include <QFrame>

namespace tolvane {

// A strip that a bar grows across as a request comes along. Assistive technology reads it as a
// progress bar, by the percentage the window shows beside it.
class ProgressStrip : public QFrame {
    Q_OBJECT
public:
    explicit ProgressStrip(QWidget* parent);

    int percent() const { return percent_; }
    // Tells assistive technology of the new percentage; the window sizes the bar itself.
    void setPercent(int percent);

private:
    int percent_ = 0;
};

}  // namespace tolvane
