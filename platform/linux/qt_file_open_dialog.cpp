#include "platform/linux/qt_file_open_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace tolvane {

std::optional<QString> QtFileOpenDialog::showOpen(const QString& fileName, QWidget* owner) {
    const QString chosen = QFileDialog::getOpenFileName(owner, QString(), fileName);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

}  // namespace tolvane
