#pragma once

#include "ui/form.h"
#include "ui/window_registry.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tolvane {

class ListColumns;
class MessageBoxes;

// An entry column of a list editor with its heading above it, across the window in twips.
struct EntryColumnPlace {
    QString heading;
    QString listName;  // what a screen reader calls the column: what it holds
    int left = 0;
    int width = 0;
};

// What sets one list editor apart from the other.
struct ListEditorLayout {
    QString name;  // the window's object name
    QString caption;
    int rows = 0;  // the entries the list holds at most, each beside its number
    int headingHeight = 0;
    QString numbersName;      // what a screen reader calls the number column
    EntryColumnPlace first;   // List2 under Label3
    EntryColumnPlace second;  // List3 under Label2
};

// An editor window of a numbered list: a heading row, the number column and two entry columns
// side by side, a hidden list for the file's lines, and seven commands down the left edge.
// A row chosen in any column selects it in all of them; each command runs the handler of the
// same name, which the editor itself gives. Tab reads it right to left: the columns, then the
// commands from the top.
class ListEditor : public Form {
    Q_OBJECT
public:
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label2;
    QListWidget* List1;  // the numbers 1 to rows, always all of them
    QListWidget* List2;
    QListWidget* List3;
    QListWidget* List4;  // hidden
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command9;
    QPushButton* Command6;

    void List1_Click();
    void List2_Click();
    void List3_Click();
    virtual void Command1_Click() = 0;
    virtual void Command2_Click() = 0;
    virtual void Command3_Click() = 0;
    virtual void Command4_Click() = 0;
    virtual void Command5_Click() = 0;
    virtual void Command6_Click() = 0;
    virtual void Command9_Click() = 0;

    // The add/edit dialog has gone: the editor takes the user again.
    void dialogClosed();

    // The box that tells the user the list file could not be written.
    static void showSaveError(MessageBoxes& messages);

protected:
    explicit ListEditor(const ListEditorLayout& layout);

    // Selects that entry's row in every column, or no row when there is no such entry.
    void selectRow(int row);
    // Disables this window and makes its add/edit dialog, the only way to enable it again;
    // nothing, and enabled again, when the dialog cannot be made.
    template <class Dialog>
    Dialog* disableForDialog(WindowRegistry& windows) {
        setEnabled(false);
        Dialog* dialog = windows.load<Dialog>();
        if (!dialog)
            setEnabled(true);
        return dialog;
    }

private:
    QPushButton* addCommand(const char* name, const QString& caption, int top, int height);

    ListColumns* columns_;
};

}  // namespace tolvane
