#include "shortcuts/shortcut_editor.h"

#include "shortcuts/shortcut_dialog.h"
#include "shortcuts/shortcut_menu.h"
#include "shortcuts/shortcut_record.h"
#include "ui/list_columns.h"
#include "ui/window_registry.h"

#include <QAction>
#include <QListWidget>

#include <initializer_list>

namespace tolvane {
namespace {

constexpr int kNumbers = 15;
const QString kListFileName = QStringLiteral("SC.Dat");

QString listPathOf(const Platform& platform) {
    return fileInFolder(platform.app.dataFolder(), kListFileName);
}

void showMenuItems(ShortcutMenu& menu, const ShortcutColumns& columns) {
    menu.shortcutItem(0)->setVisible(false);
    // Every item beyond the first goes, however many a hand-edited list once made.
    while (menu.shortcutItemCount() > 1)
        menu.removeLastShortcutItem();
    for (qsizetype i = 0; i < columns.names.size(); ++i) {
        QAction* item = i == 0 ? menu.shortcutItem(0) : menu.addShortcutItem();
        item->setVisible(true);
        item->setText(literalMenuCaption(columns.names[i]));
        item->setData(columns.targets.value(i));
    }
}

}  // namespace

ShortCuts::ShortCuts(const Platform& platform, WindowRegistry& windows, ShortcutMenu& menu)
    : ListEditor(
          {.name = QStringLiteral("ShortCuts"),
           .caption = QStringLiteral("קיצורי דרך"),
           .rows = kNumbers,
           .headingHeight = 240,
           .numbersName = QStringLiteral("מספרי קיצורי הדרך"),
           .first = {QStringLiteral("שם בתצוגה:"), QStringLiteral("שמות התצוגה"), 4320, 1455},
           .second = {QStringLiteral(" קיצור דרך לתוכנה\\אתר\\קובץ...:"),
                      QStringLiteral("יעדי קיצורי הדרך"), 1440, 2775}}),
      platform_(platform),
      windows_(windows),
      menu_(menu) {}

void ShortCuts::Form_Load() {
    listPath_ = listPathOf(platform_);
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
        showSaveError(platform_.messages);
}

void ShortCuts::Update_Lists() {
    showMenuItems(menu_, {listRows(List2), listRows(List3)});
}

void ShortCuts::loadMenuItems(const Platform& platform, ShortcutMenu& menu) {
    const QString path = listPathOf(platform);
    const LineFileRead read = readLineFile(path, platform.codePage);
    showMenuItems(menu, read.status == LineFileRead::Status::Read ? pairLines(read.lines)
                                                                  : ShortcutColumns{});
    if (read.status == LineFileRead::Status::Missing &&
        !writeLineFile(path, read.lines, platform.codePage))
        showSaveError(platform.messages);
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

void ShortCuts::Command1_Click() {
    if (!rowText(List2, kNumbers - 1).isEmpty())
        return;
    ShortCuts_Add* dialog = disableForDialog<ShortCuts_Add>(windows_);
    if (!dialog)
        return;
    dialog->startAdding();
    windows_.show<ShortCuts_Add>();
}

void ShortCuts::Command3_Click() {
    const int row = List1->currentRow();
    if (row < 0 || row >= List2->count())
        return;
    ShortCuts_Add* dialog = disableForDialog<ShortCuts_Add>(windows_);
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
