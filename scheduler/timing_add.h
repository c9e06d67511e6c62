#pragma once

#include "platform/file_open_dialog.h"
#include "platform/platform.h"
#include "scheduler/task_choices.h"
#include "ui/form.h"

#include <QPointer>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvane {

class Timing;

// Composes one task from a trigger and an action and writes it straight into the task
// editor's columns: as a new last task, or over the task whose number the mode label holds.
// It never touches the file. The editor is disabled while this dialog is open; every way of
// closing it enables and shows the editor.
class Timing_add : public Form {
    Q_OBJECT
public:
    Timing_add(const Platform& platform, Timing& editor);

    QGroupBox* Frame1;
    QRadioButton* Option1;  // at a time
    QLineEdit* Text1;       // the time
    QRadioButton* Option2;  // on a date
    QLineEdit* Text2;       // the date
    QRadioButton* Option3;  // at program start
    QRadioButton* Option4;  // on connecting
    QGroupBox* Frame2;
    QRadioButton* Option5;   // run a program
    QLineEdit* Text3;        // the program
    QPushButton* Command1;   // browse for the program
    QRadioButton* Option6;   // open a web site
    QLineEdit* Text4;        // the address
    QRadioButton* Option7;   // shut down
    QRadioButton* Option8;   // disconnect
    QRadioButton* Option9;   // connect
    QRadioButton* Option10;  // upgrade, never chosen by the user
    QPushButton* Command2;   // OK
    QPushButton* Command3;   // cancel
    // The mode: "0" adds a task, a task's number edits that task.
    QLabel* Stat;
    CommonDialog CommonDialog1;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // Opens for a new task, or for the task of that number (whose values the editor sets).
    void startAdding();
    void startEditing(int number);

    // The options and boxes as they stand, and set.
    TaskChoices choices() const;
    void setChoices(const TaskChoices& choices);

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    // In the order of the Trigger and Action values.
    std::array<QRadioButton*, 4> triggerOptions() const;
    std::array<QRadioButton*, 6> actionOptions() const;
    // Makes the chosen option of a frame the frame's one stop for Tab.
    template <std::size_t N>
    static void tabToChosen(const std::array<QRadioButton*, N>& options);
    // Says why the task cannot be taken; the dialog stays open on the box at fault.
    void refuse(const QString& text, QLineEdit* box);

    Platform platform_;
    QPointer<Timing> editor_;
};

}  // namespace tolvane
