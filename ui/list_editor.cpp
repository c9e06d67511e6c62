#include "ui/list_editor.h"

#include "platform/message_boxes.h"
#include "ui/list_columns.h"
#include "ui/wrapping_button.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tolvane {
namespace {

constexpr int kHeadingTop = 120;
constexpr int kListTop = 360;
constexpr int kListHeight = 2985;
constexpr int kNumbersLeft = 5880;
constexpr int kNumbersWidth = 375;

}  // namespace

ListEditor::ListEditor(const ListEditorLayout& layout) : Form(layout.name, kFixedDialogFrame) {
    setWindowTitle(layout.caption);
    setFixedClientTwips(6375, 3495);

    Label1 = named(new QLabel(QStringLiteral("מ\"ס:"), this), "Label1");
    Label3 = named(new QLabel(layout.first.heading, this), "Label3");
    Label2 = named(new QLabel(layout.second.heading, this), "Label2");
    placeTwips(Label1, kNumbersLeft, kHeadingTop, kNumbersWidth, layout.headingHeight);
    placeTwips(Label3, layout.first.left, kHeadingTop, layout.first.width, layout.headingHeight);
    placeTwips(Label2, layout.second.left, kHeadingTop, layout.second.width, layout.headingHeight);

    // The numbers column comes first: the columns object goes with it when the window is
    // destroyed, before the entry columns empty.
    List1 = ListColumns::makeColumn(
        this, "List1", {kNumbersLeft, kListTop, kNumbersWidth, kListHeight}, layout.rows);
    List2 = ListColumns::makeColumn(
        this, "List2", {layout.first.left, kListTop, layout.first.width, kListHeight}, layout.rows);
    List3 = ListColumns::makeColumn(
        this, "List3", {layout.second.left, kListTop, layout.second.width, kListHeight},
        layout.rows);
    List1->setAccessibleName(layout.numbersName);
    List2->setAccessibleName(layout.first.listName);
    List3->setAccessibleName(layout.second.listName);
    List4 = named(new QListWidget(this), "List4");
    List4->hide();
    columns_ = new ListColumns(List1, {List2, List3}, layout.rows);

    Command1 = addCommand("Command1", QStringLiteral("הוספה"), 360, 375);
    Command3 = addCommand("Command3", QStringLiteral("עריכה"), 720, 375);
    Command2 = addCommand("Command2", QStringLiteral("מחיקה"), 1080, 375);
    Command4 = addCommand("Command4", QStringLiteral("הרצה"), 1440, 375);
    Command5 = addCommand("Command5", QStringLiteral("נקה רשימה"), 1800, 375);
    Command9 = addCommand("Command9", QStringLiteral("סגור ללא שמירה"), 2400, 495);
    Command6 = addCommand("Command6", QStringLiteral("סגור ושמור שינויים"), 2880, 495);
    setTabOrder({List1, List2, List3, Command1, Command3, Command2, Command4, Command5, Command9,
                 Command6});
    Command1->setFocus();

    // A row set from code reports the change as a click does.
    connect(List1, &QListWidget::currentRowChanged, this, &ListEditor::List1_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &ListEditor::List2_Click);
    connect(List3, &QListWidget::currentRowChanged, this, &ListEditor::List3_Click);
    connect(Command1, &QPushButton::clicked, this, &ListEditor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ListEditor::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ListEditor::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ListEditor::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &ListEditor::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &ListEditor::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &ListEditor::Command9_Click);
}

QPushButton* ListEditor::addCommand(const char* name, const QString& caption, int top, int height) {
    auto* command = named(new WrappingButton(caption, this), name);
    placeTwips(command, 120, top, 1215, height);
    return command;
}

void ListEditor::selectRow(int row) {
    columns_->selectRow(row);
}

void ListEditor::List1_Click() {
    selectRow(List1->currentRow());
}

void ListEditor::List2_Click() {
    selectRow(List2->currentRow());
}

void ListEditor::List3_Click() {
    selectRow(List3->currentRow());
}

void ListEditor::showSaveError(MessageBoxes& messages) {
    messages.show(QStringLiteral("There has been a error!"), MessageBoxes::Buttons::Ok,
                  MessageBoxes::Icon::None, QStringLiteral("Error"));
}

void ListEditor::dialogClosed() {
    setEnabled(true);
    WindowRegistry::bringUp(this);
}

}  // namespace tolvane
