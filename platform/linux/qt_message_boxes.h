#pragma once

#include "platform/message_boxes.h"

#include <QIcon>

namespace tolvane {

// Message boxes on QMessageBox, each with the given icon (or else the application's).
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QIcon windowIcon = {}) : windowIcon_(std::move(windowIcon)) {}

    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override;

private:
    QIcon windowIcon_;
};

}  // namespace tolvane
