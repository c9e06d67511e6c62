#include "settings/conf_window.h"

#include "core/registry_paths.h"
#include "ui/frame.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace tolvane {
namespace {

const QString kFirstRunValue = QStringLiteral("TNFirst");
const QString kSplashValue = QStringLiteral("TNFlash");

void runClicked(const Platform& platform, bool checked) {
    if (checked)
        platform.registry.savestring(RegistryRoot::LocalMachine, kRunKey, kRunValue,
                                     platform.app.programPath());
    else
        platform.registry.DeleteValue(RegistryRoot::LocalMachine, kRunKey, kRunValue);
}

void splashClicked(const Platform& platform, bool checked) {
    if (checked)
        platform.registry.savestring(RegistryRoot::LocalMachine, kVersionKey, kSplashValue,
                                     QStringLiteral("1"));
    else
        platform.registry.DeleteValue(RegistryRoot::LocalMachine, kVersionKey, kSplashValue);
}

// The load handler on two boxes of any kind. Boxes::setRun and setSplash run that box's click
// handler when the state changes, as a check box set from code does.
template <class Boxes>
void loadSettings(const Platform& platform, Boxes& boxes) {
    RegistryStore& registry = platform.registry;
    const auto root = RegistryRoot::LocalMachine;

    if (!isPresent(registry.getstring(root, kVersionKey, kFirstRunValue))) {
        boxes.setRun(true);
        boxes.setSplash(true);
        registry.savestring(root, kVersionKey, kFirstRunValue, QStringLiteral("1"));
    }

    const std::optional<QString> registered = registry.getstring(root, kRunKey, kRunValue);
    if (!isPresent(registered)) {
        boxes.setRun(false);
    } else {
        boxes.setRun(true);
        // A program that was moved or renamed registers its new path.
        const QString path = boxes.setProg(platform.app.programPath());
        if (path != *registered)
            registry.savestring(root, kRunKey, kRunValue, path);
    }

    boxes.setSplash(isPresent(registry.getstring(root, kVersionKey + u'\\', kSplashValue)));
}

// Two unchecked boxes that are never shown: the window's state before its load.
class UnseenBoxes {
public:
    explicit UnseenBoxes(const Platform& platform) : platform_(platform) {}

    void setRun(bool checked) {
        if (std::exchange(run_, checked) != checked)
            runClicked(platform_, checked);
    }
    void setSplash(bool checked) {
        if (std::exchange(splash_, checked) != checked)
            splashClicked(platform_, checked);
    }
    static QString setProg(const QString& text) { return text; }
    bool splash() const { return splash_; }

private:
    const Platform& platform_;
    bool run_ = false;
    bool splash_ = false;
};

}  // namespace

Conf::Conf(const Platform& platform)
    : Form(QStringLiteral("Conf"), kFixedDialogFrame), platform_(platform) {
    setWindowTitle(QStringLiteral("הגדרות"));

    Frame1 = named(new Frame(QStringLiteral("הרצה:"), this), "Frame1");
    Check1 =
        named(new QCheckBox(QStringLiteral("הפעל אוטומטית עם פתיחת הווינדוס."), Frame1), "Check1");
    Check2 = named(new QCheckBox(QStringLiteral("הראה את מסך הפתיחה."), Frame1), "Check2");
    Frame2 = named(new Frame(QStringLiteral("עם התחברות לאינטרנט:"), this), "Frame2");
    Check3 =
        named(new QCheckBox(QStringLiteral("בדוק עידכונים חדשים מהרשת לתוכנת Tolvane."), Frame2),
              "Check3");
    Check3->setEnabled(false);
    Command1 = named(new QPushButton(QStringLiteral("סגור"), this), "Command1");
    Command1->setDefault(true);
    Prog = named(new QLabel(this), "Prog");
    Prog->hide();

    setFixedClientTwips(4710, 2175);
    placeTwips(Frame1, 0, 0, 4695, 855);
    placeTwips(Check1, 120, 240, 4455, 255);
    placeTwips(Check2, 120, 480, 4455, 255);
    placeTwips(Frame2, 0, 960, 4695, 615);
    placeTwips(Check3, 120, 240, 4455, 255);
    placeTwips(Command1, 120, 1680, 1815, 375);
    placeTwips(Prog, 1920, 1680, 855, 375);
    setTabOrder({Check1, Check2, Check3, Command1});

    // A box set from code reports the change as a click does.
    connect(Check1, &QCheckBox::stateChanged, this, &Conf::Check1_Click);
    connect(Check2, &QCheckBox::stateChanged, this, &Conf::Check2_Click);
    connect(Command1, &QPushButton::clicked, this, &Conf::Command1_Click);
}

void Conf::Form_Load() {
    struct {
        Conf* conf;
        void setRun(bool checked) const { conf->Check1->setChecked(checked); }
        void setSplash(bool checked) const { conf->Check2->setChecked(checked); }
        QString setProg(const QString& text) const {
            conf->Prog->setText(text);
            return conf->Prog->text();
        }
    } boxes{this};
    loadSettings(platform_, boxes);
}

bool Conf::loadAtStart(const Platform& platform) {
    UnseenBoxes boxes(platform);
    loadSettings(platform, boxes);
    return boxes.splash();
}

void Conf::Check1_Click() {
    Prog->setText(platform_.app.programPath());
    runClicked(platform_, Check1->isChecked());
}

void Conf::Check2_Click() {
    splashClicked(platform_, Check2->isChecked());
}

void Conf::Command1_Click() {
    close();
}

bool Conf::splashWanted() const {
    return Check2->isChecked();
}

}  // namespace tolvane
