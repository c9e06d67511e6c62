#pragma once

#include <QLabel>

namespace tolvane {

// A label that takes the mouse: it reports every button going down and up on it, and a click
// when the left button goes down and comes up again over it. A button that went down on it
// comes up on it too, wherever the pointer has gone meanwhile.
class MouseLabel : public QLabel {
    Q_OBJECT
public:
    explicit MouseLabel(QWidget* parent);

signals:
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tolvane
