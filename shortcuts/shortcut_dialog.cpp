#include "shortcuts/shortcut_dialog.h"

#include "shortcuts/shortcut_editor.h"
#include "shortcuts/shortcut_record.h"

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
    // The frame shows no title; a screen reader still says what it holds.
    Frame1->setAccessibleName(QStringLiteral("פרטי קיצור הדרך"));
    Label3 = named(new QLabel(QStringLiteral("שם בתצוגה:"), Frame1), "Label3");
    Text1 = named(new QLineEdit(Frame1), "Text1");
    Label2 =
        named(new QLabel(QStringLiteral(" קיצור דרך לתוכנה\\אתר\\קובץ...:"), Frame1), "Label2");
    Text2 = named(new QLineEdit(Frame1), "Text2");
    Command7 = named(new QPushButton(QStringLiteral("..."), Frame1), "Command7");
    Command7->setAccessibleName(QStringLiteral("עיון"));
    Command7->setAccessibleDescription(QStringLiteral("בחירת קובץ לקיצור הדרך"));
    // Each box is known by the label above it.
    Label3->setBuddy(Text1);
    Label2->setBuddy(Text2);
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
    setTabOrder({Text1, Command7, Text2, Command2, Command1});
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
        editor_->putRecord(number - 1, Text1->text(), Text2->text());
    } else {
        editor_->putRecord(editor_->List2->count(), Text1->text(), Text2->text());
        editor_->dialogClosed();
    }
    close();
}

void ShortCuts_Add::Command1_Click() {
    close();
}

void ShortCuts_Add::startAdding() {
    Stat->setText(QStringLiteral("0"));
    setWindowTitle(QStringLiteral("הוספת קיצור דרך חדש"));
}

void ShortCuts_Add::startEditing(int number, const QString& name, const QString& target) {
    Stat->setText(QString::number(number));
    Text1->setText(name);
    Text2->setText(target);
    setWindowTitle(QStringLiteral("עריכת קיצור דרך קיים"));
}

void ShortCuts_Add::Form_Unload(bool&) {
    if (editor_)
        editor_->dialogClosed();
}

}  // namespace tolvane
