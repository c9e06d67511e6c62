#include "ui/form.h"

#include "ui/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace tolvane {

Form::Form(const QString& name, Qt::WindowFlags flags) : QWidget(nullptr, flags) {
    setObjectName(name);
}

void Form::Form_Load() {}

void Form::Form_Unload(bool&) {}

void Form::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    unloaded_ = true;
    emit unloaded();
    deleteLater();
}

void Form::setFixedClientTwips(int width, int height) {
    setFixedSize(twipsSize(width, height));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Form::placeTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsRect(left, top, width, height));
}

void Form::setTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace tolvane
