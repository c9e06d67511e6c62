#pragma once

#include "platform/message_boxes.h"

namespace tolvane {

class QtMessageBoxes : public MessageBoxes {
public:
    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
};

}  // namespace tolvane
