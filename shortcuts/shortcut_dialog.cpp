#include "shortcut_dialog.h"

#include "shortcut_editor.h"
#include "shortcut_record.h"
#include "window_registry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tolvane {

ShortCuts_Add::ShortCuts_Add(const Platform& platform, ShortCuts& editor)
    : Form(QStringLiteral("ShortCuts_Add"), kFixedDialogFrame),
      CommonDialog1{platform.files, {}},
      editor_(&editor) {
    setWindowTitle(QStringLiteral("הוספת\\עידכון קיצור דרך"));
    setFixedClientTwips(4575, 1605);

    Frame1 = named(new QGroupBox(this), "Frame1");
    Label3 = named(new QLabel(QStringLiteral("שם בתצוגה:"), Frame1), "Label3");
    Text1 = named(new QLineEdit(Frame1), "Text1");
    Label2 =
        named(new QLabel(QStringLiteral(" קיצור דרך לתוכנה\\אתר\\קובץ...:"), Frame1), "Label2");
    Text2 = named(new QLineEdit(Frame1), "Text2");
    Command7 = named(new QPushButton(QStringLiteral("..."), Frame1), "Command7");
    Command2 = named(new QPushButton(QStringLiteral("אישור"), Frame1), "Command2");
    Command2->setDefault(true);
    Command1 = named(new QPushButton(QStringLiteral("ביטול"), Frame1), "Command1");
    Stat = named(new QLabel(QStringLiteral("0"), this), "Stat");
    Stat->hide();

    placeTwips(Frame1, 0, -90, 4575, 1695);
    placeTwips(Label3, 3000, 240, 1455, 240);
    placeTwips(Text1, 3000, 600, 1455, 285);
    placeTwips(Label2, 120, 240, 2775, 240);
    placeTwips(Text2, 120, 600, 2415, 285);
    placeTwips(Command7, 2520, 600, 375, 285);
    placeTwips(Command2, 3240, 1080, 1215, 495);
    placeTwips(Command1, 120, 1080, 1215, 495);
    Text1->setFocus();

    connect(Command7, &QPushButton::clicked, this, &ShortCuts_Add::Command7_Click);
    connect(Command2, &QPushButton::clicked, this, &ShortCuts_Add::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &ShortCuts_Add::Command1_Click);
    // Enter in either box presses the default button.
    connect(Text1, &QLineEdit::returnPressed, Command2, &QPushButton::click);
    connect(Text2, &QLineEdit::returnPressed, Command2, &QPushButton::click);
}

void ShortCuts_Add::Command7_Click() {
    CommonDialog1.ShowOpen(this);
    if (!CommonDialog1.FileName.isEmpty())
        Text2->setText(CommonDialog1.FileName);
}

void ShortCuts_Add::Command2_Click() {
    Text1->setText(cleanShortcutText(Text1->text()));
    if (Text1->text().isEmpty())
        return;
    Text2->setText(cleanShortcutText(Text2->text()));
    if (Text2->text().isEmpty())
        return;
    if (!editor_)
        return;

    const int number = Stat->text().toInt();
    if (number != 0) {
        QListWidgetItem* name = editor_->List2->item(number - 1);
        QListWidgetItem* target = editor_->List3->item(number - 1);
        if (name && target) {
            name->setText(Text1->text());
            target->setText(Text2->text());
        }
    } else {
        editor_->List2->addItem(Text1->text());
        editor_->List3->addItem(Text2->text());
        editor_->setEnabled(true);
        WindowRegistry::bringUp(editor_);
    }
    close();
}

void ShortCuts_Add::Command1_Click() {
    close();
}

void ShortCuts_Add::Form_Unload(bool&) {
    if (editor_) {
        editor_->setEnabled(true);
        WindowRegistry::bringUp(editor_);
    }
}

}  // namespace tolvane
