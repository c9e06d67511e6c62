#pragma once

#include "platform/platform.h"
#include "ui/form.h"

#include <QPoint>

class QLabel;
class QPushButton;
class QTimer;

namespace tolvane {

class LinkArea;

// The About box, which doubles as the splash screen: a borderless picture with the version,
// links to the maker's home and contact pages, dragged by its background.
class About : public Form {
    Q_OBJECT
public:
    explicit About(const Platform& platform);

    QLabel* Label1;
    QPushButton* Command1;
    LinkArea* Image1;
    LinkArea* Image2;
    // Closes the window when it serves as the splash.
    QTimer* Timer1;

    // Serves as the splash screen: no close button, gone by itself after two seconds.
    void showAsSplash();

    void Timer1_Timer();
    void Command1_Click();
    void Form_MouseDown(Qt::MouseButton button, QPoint position);
    void Form_MouseMove(Qt::MouseButtons buttons, QPoint position);
    void Image1_Click();
    void Image2_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Platform platform_;
    QPoint drag_;  // where the left button last went down on the bare background
};

}  // namespace tolvane
