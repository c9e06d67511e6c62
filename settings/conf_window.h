#pragma once

#include "platform/platform.h"
#include "ui/form.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tolvane {

class Frame;

// The settings window: start at log-on and the splash screen, each a box whose click
// writes or deletes its registry value at once. Made hidden at every start, so that its
// load handler applies the first-run defaults and sets the splash box for the start-up.
class Conf : public Form {
    Q_OBJECT
public:
    explicit Conf(const Platform& platform);

    Frame* Frame1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    Frame* Frame2;
    QCheckBox* Check3;
    QPushButton* Command1;
    QLabel* Prog;

    void Check1_Click();
    void Check2_Click();
    void Command1_Click();

    // Whether the user wants the splash screen at start-up.
    bool splashWanted() const;

protected:
    void Form_Load() override;

private:
    Platform platform_;
};

}  // namespace tolvane
