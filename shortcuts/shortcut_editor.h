#pragma once

#include "core/line_file.h"
#include "platform/platform.h"
#include "ui/form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tolvane {

class ListColumns;
class ShortCuts_Add;
class ShortcutMenu;
class WindowRegistry;

// The shortcut editor: the list in three side-by-side columns (number, display name, target)
// and seven commands. Edits stay in the window until "close and save" writes SC.Dat and
// rebuilds the tray menu's shortcut items; every opening starts again from the file.
class ShortCuts : public Form {
    Q_OBJECT
public:
    ShortCuts(const Platform& platform, WindowRegistry& windows, ShortcutMenu& menu);

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label2;
    QListWidget* List1;  // the numbers 1 to 15, always all of them
    QListWidget* List2;  // display names
    QListWidget* List3;  // targets
    QListWidget* List4;  // hidden: the file's lines while loading and saving
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command9;
    QPushButton* Command6;

    // Makes the tray menu's shortcut items show this window's list.
    void Update_Lists();

    // Writes a record into the columns: over the record at that row, or as a new last record
    // when the row is the one after the last.
    void putRecord(int row, const QString& name, const QString& target);
    // The add/edit dialog has gone: the editor takes the user again.
    void dialogClosed();

    void List1_Click();
    void List2_Click();
    void List3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    LineFileRead::Status LoadList(QListWidget* list, const QString& path);
    void SaveList(QListWidget* list, const QString& path);
    QPushButton* addCommand(const char* name, const QString& caption, int top, int height);
    // Disables this window and makes the add/edit dialog, the only way to enable it again.
    ShortCuts_Add* disableForDialog();

    ListColumns* columns_;
    Platform platform_;
    WindowRegistry& windows_;
    ShortcutMenu& menu_;
    QString listPath_;
};

}  // namespace tolvane
