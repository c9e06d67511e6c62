#pragma once

#include "core/line_file.h"
#include "platform/platform.h"
#include "ui/list_editor.h"

class QListWidget;

namespace tolvane {

class ShortCuts_Add;
class ShortcutMenu;
class WindowRegistry;

// The shortcut editor: the list in three side-by-side columns (number, display name in List2,
// target in List3) and seven commands; the hidden List4 holds the file's lines while loading
// and saving. Edits stay in the window until "close and save" writes SC.Dat and
// rebuilds the tray menu's shortcut items; every opening starts again from the file.
class ShortCuts : public ListEditor {
    Q_OBJECT
public:
    ShortCuts(const Platform& platform, WindowRegistry& windows, ShortcutMenu& menu);

    // Makes the tray menu's shortcut items show this window's list.
    void Update_Lists();

    // The tray menu's shortcut items as loading this window at start and unloading it again
    // leaves them, the first start's empty list file and its failure box included, without
    // making the window: start-up then touches none of the editor's widgets.
    static void loadMenuItems(const Platform& platform, ShortcutMenu& menu);

    // Writes a record into the columns: over the record at that row, or as a new last record
    // when the row is the one after the last.
    void putRecord(int row, const QString& name, const QString& target);

    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;
    void Command5_Click() override;
    void Command6_Click() override;
    void Command9_Click() override;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    LineFileRead::Status LoadList(QListWidget* list, const QString& path);
    void SaveList(QListWidget* list, const QString& path);

    Platform platform_;
    WindowRegistry& windows_;
    ShortcutMenu& menu_;
    QString listPath_;
};

}  // namespace tolvane
