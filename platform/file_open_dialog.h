#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace tolvane {

// The desktop's file-open dialog: every file shown, the system's own title.
class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    // Modal over the owner, with fileName in its name box. The chosen file's full path, or
    // nothing when the user cancels.
    virtual std::optional<QString> showOpen(const QString& fileName, QWidget* owner) = 0;
};

// A dialog's file-open control. Its file name goes in and comes out: it fills the dialog's
// name box and keeps its value when the user cancels.
struct CommonDialog {
    FileOpenDialog& dialog;
    QString FileName;

    void ShowOpen(QWidget* owner) {
        if (const std::optional<QString> chosen = dialog.showOpen(FileName, owner))
            FileName = *chosen;
    }
};

}  // namespace tolvane
