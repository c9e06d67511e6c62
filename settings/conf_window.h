#pragma once

#include "platform/platform.h"
#include "ui/form.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tolvane {

class Frame;

// The settings window: start at log-on and the splash screen, each a box whose click
// writes or deletes its registry value at once. Its load handler applies the first-run
// defaults and registers a moved program's new path; start-up does the same through
// loadAtStart() and makes the window only when it is first opened.
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

    // What loading this window hidden does to the registry, without the window, so that
    // start-up builds none of its controls; true when the splash screen is wanted.
    static bool loadAtStart(const Platform& platform);

protected:
    void Form_Load() override;

private:
    Platform platform_;
};

}  // namespace tolvane
