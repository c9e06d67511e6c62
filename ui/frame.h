#pragma once

#include <QGroupBox>

namespace tolvane {

// A frame: a group box around a form's controls, with its caption along the top edge.
// The caption goes on only when the frame is first shown: laying a caption out measures it,
// and the first measurement loads the whole font database (about 2 MiB), which a window made
// hidden at start-up must not pay for while nothing of the program is on screen. (Polishing
// comes too early: every widget is polished soon after it is made, shown or not.) Until then
// the frame still answers with its caption to screen readers.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    Frame(const QString& caption, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString caption_;
};

}  // namespace tolvane
