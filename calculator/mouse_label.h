#pragma once

#include <QLabel>

namespace tolvane {

// A label that takes the mouse: it reports every button going down and up on it, and a click
// when the left button goes down and comes up again over it. A button that went down on it
// comes up on it too, wherever the pointer has gone meanwhile.
//
// Assistive technology reads a key as a button named by its caption, and a box as a read-only
// text under a name of its own, whose text it hears of whenever showText changes it. Either
// can be worked through its accessible action, as the left button would.
class MouseLabel : public QLabel {
    Q_OBJECT
public:
    enum class Kind { Key, Box };

    MouseLabel(Kind kind, QWidget* parent);

    Kind kind() const { return kind_; }
    // Shows the text, telling assistive technology when it changes.
    void showText(const QString& text);

    // The action assistive technology is offered (pressing by default); none while the label is
    // empty when `whileShowing` is set.
    void setAccessibleAction(const QString& name, bool whileShowing = false);
    QStringList accessibleActions() const;
    // The left button going down and coming up on the label.
    void press();

signals:
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Kind kind_;
    QString action_;
    bool actionWhileShowing_ = false;
};

}  // namespace tolvane
