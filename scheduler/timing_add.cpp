#include "scheduler/timing_add.h"

#include "scheduler/task_trigger.h"
#include "scheduler/timing_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tolvane {

Timing_add::Timing_add(const Platform& platform, Timing& editor)
    : Form(QStringLiteral("Timing_add"), kFixedDialogFrame),
      CommonDialog1{platform.files, {}},
      platform_(platform),
      editor_(&editor) {
    setWindowTitle(QStringLiteral("הוספת\\עידכון משימה"));
    setFixedClientTwips(4575, 4815);

    // Each option spans its frame, its caption at the right; its box lies over its left part.
    const auto addOption = [](QGroupBox* frame, const char* name, const QString& caption, int top) {
        auto* option = named(new QRadioButton(caption, frame), name);
        placeTwips(option, 120, top, 4335, 255);
        return option;
    };
    const auto addBox = [](QGroupBox* frame, const char* name, int top, int width) {
        auto* box = named(new QLineEdit(frame), name);
        placeTwips(box, 120, top, width, 285);
        return box;
    };

    Frame1 = named(new QGroupBox(QStringLiteral("תזמון ל:"), this), "Frame1");
    placeTwips(Frame1, 0, 0, 4575, 1695);
    Option1 = addOption(Frame1, "Option1", QStringLiteral("בשעה:"), 240);
    Text1 = addBox(Frame1, "Text1", 240, 3255);
    Option2 = addOption(Frame1, "Option2", QStringLiteral("בתאריך:"), 600);
    Text2 = addBox(Frame1, "Text2", 600, 3255);
    Option3 = addOption(Frame1, "Option3", QStringLiteral("עם הפעלת תוכנת \"Tolvane\"."), 960);
    Option4 = addOption(Frame1, "Option4", QStringLiteral("עם התחברות לאינטרנט."), 1320);

    Frame2 = named(new QGroupBox(QStringLiteral("משימה:"), this), "Frame2");
    placeTwips(Frame2, 0, 1800, 4575, 2415);
    Option5 = addOption(Frame2, "Option5", QStringLiteral("הפעל תוכנה:"), 240);
    Text3 = addBox(Frame2, "Text3", 240, 2535);
    Command1 = named(new QPushButton(QStringLiteral("..."), Frame2), "Command1");
    placeTwips(Command1, 2640, 240, 495, 285);
    Option6 = addOption(Frame2, "Option6", QStringLiteral("פתח אתר:"), 600);
    Text4 = addBox(Frame2, "Text4", 600, 3255);
    Option7 = addOption(Frame2, "Option7", QStringLiteral("כיבוי מחשב."), 960);
    Option8 = addOption(Frame2, "Option8", QStringLiteral("התנתקות מהאינטרנט."), 1320);
    Option9 = addOption(Frame2, "Option9", QStringLiteral("התחברות לאינטרנט."), 1680);
    Option10 = addOption(Frame2, "Option10", QStringLiteral("שדרג את תוכנת \"Tolvane\"."), 2040);
    Option10->setEnabled(false);
    // The boxes lie beside the options' captions, which a screen reader cannot tie to them.
    Text1->setAccessibleName(QStringLiteral("השעה"));
    Text2->setAccessibleName(QStringLiteral("התאריך"));
    Text3->setAccessibleName(QStringLiteral("התוכנה להפעלה"));
    Text4->setAccessibleName(QStringLiteral("כתובת האתר"));
    Command1->setAccessibleName(QStringLiteral("עיון"));
    Command1->setAccessibleDescription(QStringLiteral("בחירת התוכנה להפעלה"));

    Command3 = named(new QPushButton(QStringLiteral("ביטול"), this), "Command3");
    placeTwips(Command3, 120, 4320, 1695, 375);
    Stat = named(new QLabel(QStringLiteral("0"), this), "Stat");
    placeTwips(Stat, 1920, 4320, 735, 375);
    Stat->hide();
    Command2 = named(new QPushButton(QStringLiteral("אישור"), this), "Command2");
    placeTwips(Command2, 2760, 4320, 1695, 375);
    Command2->setDefault(true);
    // Right to left, line by line; within a frame Tab stops only at the chosen option.
    setTabOrder({Option1, Text1, Option2, Text2, Option3, Option4, Option5, Command1, Text3,
                 Option6, Text4, Option7, Option8, Option9, Option10, Command2, Command3});

    TaskChoices design;
    design.site = platform_.site.homePage();
    setChoices(design);

    connect(Command1, &QPushButton::clicked, this, &Timing_add::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Timing_add::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Timing_add::Command3_Click);
    // Enter in any box presses the default button.
    for (QLineEdit* box : {Text1, Text2, Text3, Text4})
        connect(box, &QLineEdit::returnPressed, Command2, &QPushButton::click);
}

void Timing_add::Form_Load() {
    const QDateTime now = platform_.clock.now();
    Text1->setText(dialogTimeText(now.time()));
    Text2->setText(now.date().toString(QStringLiteral("dd/MM/yy")));
}

std::array<QRadioButton*, 4> Timing_add::triggerOptions() const {
    return {Option1, Option2, Option3, Option4};
}

std::array<QRadioButton*, 6> Timing_add::actionOptions() const {
    return {Option5, Option6, Option7, Option8, Option9, Option10};
}

void Timing_add::startAdding() {
    Stat->setText(QStringLiteral("0"));
    setWindowTitle(QStringLiteral("הוספת משימה חדשה"));
}

void Timing_add::startEditing(int number) {
    Stat->setText(QString::number(number));
    setWindowTitle(QStringLiteral("עריכת קיצור דרך קיים"));
}

TaskChoices Timing_add::choices() const {
    TaskChoices choices{.time = Text1->text(),
                        .date = Text2->text(),
                        .program = Text3->text(),
                        .site = Text4->text()};
    const auto triggers = triggerOptions();
    for (std::size_t i = 0; i < triggers.size(); ++i) {
        if (triggers.at(i)->isChecked())
            choices.trigger = static_cast<Trigger>(i);
    }
    const auto actions = actionOptions();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions.at(i)->isChecked())
            choices.action = static_cast<Action>(i);
    }
    return choices;
}

void Timing_add::setChoices(const TaskChoices& choices) {
    triggerOptions().at(static_cast<std::size_t>(choices.trigger))->setChecked(true);
    actionOptions().at(static_cast<std::size_t>(choices.action))->setChecked(true);
    tabToChosen(triggerOptions());
    tabToChosen(actionOptions());
    Text1->setText(choices.time);
    Text2->setText(choices.date);
    Text3->setText(choices.program);
    Text4->setText(choices.site);
}

template <std::size_t N>
void Timing_add::tabToChosen(const std::array<QRadioButton*, N>& options) {
    // As the options' own focus does: one stop for Tab in a frame, and arrows move within it.
    // An upgrade task's option cannot be chosen by the user, so the first one is the stop then.
    QRadioButton* stop = nullptr;
    for (QRadioButton* option : options) {
        if (option->isChecked() && option->isEnabled())
            stop = option;
    }
    if (!stop)
        stop = options.front();
    for (QRadioButton* option : options)
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void Timing_add::Command1_Click() {
    CommonDialog1.ShowOpen(this);
    if (!CommonDialog1.FileName.isEmpty())
        Text3->setText(CommonDialog1.FileName);
}

void Timing_add::Command2_Click() {
    const TaskChoices chosen = choices();
    if (chosen.trigger == Trigger::Time && !readTaskTime(chosen.time)) {
        refuse(QStringLiteral("השעה אינה תקינה. יש לכתוב שעה ודקות, לדוגמה 23:30"), Text1);
        return;
    }
    if (chosen.trigger == Trigger::Date && !readTaskDate(chosen.date)) {
        refuse(QStringLiteral("התאריך אינו תקין. יש לכתוב יום, חודש ושנה, לדוגמה 21/01/01"), Text2);
        return;
    }
    if (editor_)
        editor_->putTask(Stat->text().toInt(), buildTaskEntry(chosen));
    close();
}

void Timing_add::refuse(const QString& text, QLineEdit* box) {
    platform_.messages.show(text, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information,
                            platform_.app.title());
    box->setFocus();
    box->selectAll();
}

void Timing_add::Command3_Click() {
    close();
}

void Timing_add::Form_Unload(bool&) {
    if (editor_)
        editor_->dialogClosed();
}

}  // namespace tolvane
