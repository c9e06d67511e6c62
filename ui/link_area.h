#pragma once

#include <QWidget>

namespace tolvane {

// An invisible rectangle over a window's picture that shows a hand pointer and takes clicks.
// Tab reaches it too, Enter or Space follows it, and assistive technology reads it as a link
// by its accessible name and can follow it.
class LinkArea : public QWidget {
    Q_OBJECT
public:
    explicit LinkArea(QWidget* parent);

    // Follows the link, as a click does.
    void follow();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Reached by the keyboard: only then is the focus drawn, since the area draws nothing else.
    bool keyboardFocus_ = false;
};

}  // namespace tolvane
