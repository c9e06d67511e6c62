#pragma once

#include <QWidget>

namespace tolvane {

// An invisible rectangle over a window's picture that shows a hand pointer and takes clicks.
class LinkArea : public QWidget {
    Q_OBJECT
public:
    explicit LinkArea(QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tolvane
