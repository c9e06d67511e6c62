#pragma once

#include "platform/file_open_dialog.h"
#include "platform/platform.h"
#include "ui/form.h"

#include <QPointer>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tolvane {

class ShortCuts;

// Takes one shortcut, a display name and a target, and writes it straight into the editor's
// columns: as a new last record, or over the record whose number the mode label holds. The
// editor is disabled while this dialog is open; every way of closing it enables the editor.
class ShortCuts_Add : public Form {
    Q_OBJECT
public:
    ShortCuts_Add(const Platform& platform, ShortCuts& editor);

    QGroupBox* Frame1;
    QLabel* Label3;
    QLineEdit* Text1;  // display name
    QLabel* Label2;
    QLineEdit* Text2;  // target
    QPushButton* Command7;
    QPushButton* Command2;
    QPushButton* Command1;
    // The mode: "0" adds a record, a record's number edits that record.
    QLabel* Stat;
    CommonDialog CommonDialog1;

    void Command7_Click();
    void Command2_Click();
    void Command1_Click();

    // Opens for a new record, or for the record of that number with its texts.
    void startAdding();
    void startEditing(int number, const QString& name, const QString& target);

protected:
    void Form_Unload(bool& cancel) override;

private:
    QPointer<ShortCuts> editor_;
};

}  // namespace tolvane
