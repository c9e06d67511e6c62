#pragma once

#include <QPushButton>

namespace tolvane {

// A push button whose caption wraps onto further lines when the button is too narrow for
// it, as the buttons of the program's windows were drawn: tall buttons carry long captions.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    WrappingButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tolvane
