#include "shortcuts/shortcut_editor.h"

#include "shortcuts/shortcut_dialog.h"
#include "shortcuts/shortcut_menu.h"
#include "shortcuts/shortcut_record.h"
#include "ui/list_columns.h"
#include "ui/window_registry.h"
#include "ui/wrapping_button.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <initializer_list>

namespace tolvane {
namespace {

constexpr int kNumbers = 15;
const QString kListFileName = QStringLiteral("SC.Dat");

}  // namespace

ShortCuts::ShortCuts(const Platform& platform, WindowRegistry& windows, ShortcutMenu& menu)
    : Form(QStringLiteral("ShortCuts"), kFixedDialogFrame),
      platform_(platform),
      windows_(windows),
      menu_(menu) {
    setWindowTitle(QStringLiteral("קיצורי דרך"));
    setFixedClientTwips(6375, 3495);

    Label1 = named(new QLabel(QStringLiteral("מ\"ס:"), this), "Label1");
    Label3 = named(new QLabel(QStringLiteral("שם בתצוגה:"), this), "Label3");
    Label2 = named(new QLabel(QStringLiteral(" קיצור דרך לתוכנה\\אתר\\קובץ...:"), this), "Label2");
    placeTwips(Label1, 5880, 120, 375, 240);
    placeTwips(Label3, 4320, 120, 1455, 240);
    placeTwips(Label2, 1440, 120, 2775, 240);

    List1 = ListColumns::makeColumn(this, "List1", {5880, 360, 375, 2985}, kNumbers);
    List2 = ListColumns::makeColumn(this, "List2", {4320, 360, 1455, 2985}, kNumbers);
    List3 = ListColumns::makeColumn(this, "List3", {1440, 360, 2775, 2985}, kNumbers);
    List4 = named(new QListWidget(this), "List4");
    List4->hide();
    columns_ = new ListColumns(List1, {List2, List3}, kNumbers);

    Command1 = addCommand("Command1", QStringLiteral("הוספה"), 360, 375);
    Command3 = addCommand("Command3", QStringLiteral("עריכה"), 720, 375);
    Command2 = addCommand("Command2", QStringLiteral("מחיקה"), 1080, 375);
    Command4 = addCommand("Command4", QStringLiteral("הרצה"), 1440, 375);
    Command5 = addCommand("Command5", QStringLiteral("נקה רשימה"), 1800, 375);
    Command9 = addCommand("Command9", QStringLiteral("סגור ללא שמירה"), 2400, 495);
    Command6 = addCommand("Command6", QStringLiteral("סגור ושמור שינויים"), 2880, 495);
    Command1->setFocus();

    // A row set from code reports the change as a click does.
    connect(List1, &QListWidget::currentRowChanged, this, &ShortCuts::List1_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &ShortCuts::List2_Click);
    connect(List3, &QListWidget::currentRowChanged, this, &ShortCuts::List3_Click);
    connect(Command1, &QPushButton::clicked, this, &ShortCuts::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ShortCuts::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ShortCuts::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ShortCuts::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &ShortCuts::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &ShortCuts::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &ShortCuts::Command9_Click);
}

QPushButton* ShortCuts::addCommand(const char* name, const QString& caption, int top, int height) {
    auto* command = named(new WrappingButton(caption, this), name);
    placeTwips(command, 120, top, 1215, height);
    return command;
}

void ShortCuts::Form_Load() {
    listPath_ = fileInFolder(platform_.app.dataFolder(), kListFileName);
    switch (LoadList(List4, listPath_)) {
        case LineFileRead::Status::Read: {
            const ShortcutColumns columns = pairLines(listRows(List4));
            List2->addItems(columns.names);
            List3->addItems(columns.targets);
            break;
        }
        case LineFileRead::Status::Missing:
            // The first start: the menu shows no shortcut and an empty list file is made.
            Update_Lists();
            SaveList(List4, listPath_);
            break;
        case LineFileRead::Status::Unreadable:
            // A file that is there but cannot be read is never written over; the menu shows
            // what could be read, which is nothing, and the editor does not open on it.
            Update_Lists();
            close();
            break;
    }
    List4->clear();
}

LineFileRead::Status ShortCuts::LoadList(QListWidget* list, const QString& path) {
    const LineFileRead read = readLineFile(path, platform_.codePage);
    list->addItems(read.lines);
    return read.status;
}

void ShortCuts::SaveList(QListWidget* list, const QString& path) {
    if (!writeLineFile(path, listRows(list), platform_.codePage))
        platform_.messages.show(QStringLiteral("There has been a error!"),
                                MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None,
                                QStringLiteral("Error"));
}

void ShortCuts::Update_Lists() {
    menu_.shortcutItem(0)->setVisible(false);
    // Every item beyond the first goes, however many a hand-edited list once made.
    while (menu_.shortcutItemCount() > 1)
        menu_.removeLastShortcutItem();
    for (int i = 0; i < List2->count(); ++i) {
        QAction* item = i == 0 ? menu_.shortcutItem(0) : menu_.addShortcutItem();
        item->setVisible(true);
        item->setText(literalMenuCaption(rowText(List2, i)));
        item->setData(rowText(List3, i));
    }
}

void ShortCuts::List1_Click() {
    columns_->selectRow(List1->currentRow());
}

void ShortCuts::List2_Click() {
    columns_->selectRow(List2->currentRow());
}

void ShortCuts::List3_Click() {
    columns_->selectRow(List3->currentRow());
}

void ShortCuts::putRecord(int row, const QString& name, const QString& target) {
    if (row == List2->count()) {
        List2->addItem(name);
        List3->addItem(target);
        return;
    }
    QListWidgetItem* nameItem = List2->item(row);
    QListWidgetItem* targetItem = List3->item(row);
    if (nameItem && targetItem) {
        nameItem->setText(name);
        targetItem->setText(target);
    }
}

void ShortCuts::dialogClosed() {
    setEnabled(true);
    WindowRegistry::bringUp(this);
}

ShortCuts_Add* ShortCuts::disableForDialog() {
    setEnabled(false);
    ShortCuts_Add* dialog = windows_.load<ShortCuts_Add>();
    if (!dialog)
        setEnabled(true);
    return dialog;
}

void ShortCuts::Command1_Click() {
    if (!rowText(List2, kNumbers - 1).isEmpty())
        return;
    ShortCuts_Add* dialog = disableForDialog();
    if (!dialog)
        return;
    dialog->startAdding();
    windows_.show<ShortCuts_Add>();
}

void ShortCuts::Command3_Click() {
    const int row = List1->currentRow();
    if (row < 0 || row >= List2->count())
        return;
    ShortCuts_Add* dialog = disableForDialog();
    if (!dialog)
        return;
    dialog->startEditing(row + 1, rowText(List2, row), rowText(List3, row));
    windows_.show<ShortCuts_Add>();
}

void ShortCuts::Command2_Click() {
    const int row = List2->currentRow();
    if (row < 0)
        return;
    {
        // The rows below move up; the selection is cleared once both columns have lost it.
        const QSignalBlocker quietNames(List2);
        const QSignalBlocker quietTargets(List3);
        delete List2->takeItem(row);
        delete List3->takeItem(row);
    }
    setRow(List1, -1);
}

void ShortCuts::Command4_Click() {
    platform_.opener.ShellDef(rowText(List3, List3->currentRow()));
}

void ShortCuts::Command5_Click() {
    const auto answer = platform_.messages.show(
        QStringLiteral("? פעולה זאת תנקה את כל הרשימה, אתה בטוח שברצונך לבצעה"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::None, platform_.app.title());
    if (answer != MessageBoxes::Answer::Yes)
        return;
    setRow(List1, -1);
    List2->clear();
    List3->clear();
}

void ShortCuts::Command6_Click() {
    Update_Lists();
    List4->clear();
    List4->addItems(fileLines({listRows(List2), listRows(List3)}));
    SaveList(List4, listPath_);
    List4->clear();
    close();
}

void ShortCuts::Command9_Click() {
    close();
}

void ShortCuts::Form_Unload(bool& cancel) {
    // While the add/edit dialog is open it is the only way back to this window; only the
    // ending desktop session may close it then.
    if (isEnabled() || !windows_.find<ShortCuts_Add>() || platform_.program.sessionEnding())
        return;
    cancel = true;
    if (windows_.find<ShortCuts_Add>())
        windows_.show<ShortCuts_Add>();
}

}  // namespace tolvane
