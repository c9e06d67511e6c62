#include "platform/linux/qt_message_boxes.h"

#include <QMessageBox>

namespace tolvane {

MessageBoxes::Answer QtMessageBoxes::show(const QString& text, Buttons buttons, Icon icon,
                                          const QString& title) {
    QMessageBox box;
    box.setWindowTitle(title);
    if (!windowIcon_.isNull())
        box.setWindowIcon(windowIcon_);
    box.setText(text);
    box.setIcon(icon == Icon::Information ? QMessageBox::Information
                : icon == Icon::Critical  ? QMessageBox::Critical
                                          : QMessageBox::NoIcon);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

}  // namespace tolvane
