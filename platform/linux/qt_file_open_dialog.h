#pragma once

#include "platform/file_open_dialog.h"

namespace tolvane {

class QtFileOpenDialog : public FileOpenDialog {
public:
    std::optional<QString> showOpen(const QString& fileName, QWidget* owner) override;
};

}  // namespace tolvane
