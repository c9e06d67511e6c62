#include "settings/conf_window.h"

#include "core/registry_paths.h"
#include "ui/frame.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace tolvane {
namespace {

const QString kFirstRunValue = QStringLiteral("TNFirst");
const QString kSplashValue = QStringLiteral("TNFlash");

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
    RegistryStore& registry = platform_.registry;
    const auto root = RegistryRoot::LocalMachine;

    if (!isPresent(registry.getstring(root, kVersionKey, kFirstRunValue))) {
        Check1->setChecked(true);
        Check2->setChecked(true);
        registry.savestring(root, kVersionKey, kFirstRunValue, QStringLiteral("1"));
    }

    const std::optional<QString> registered = registry.getstring(root, kRunKey, kRunValue);
    if (!isPresent(registered)) {
        Check1->setChecked(false);
    } else {
        Check1->setChecked(true);
        // A program that was moved or renamed registers its new path.
        Prog->setText(platform_.app.programPath());
        if (Prog->text() != *registered)
            registry.savestring(root, kRunKey, kRunValue, Prog->text());
    }

    Check2->setChecked(isPresent(registry.getstring(root, kVersionKey + u'\\', kSplashValue)));
}

void Conf::Check1_Click() {
    Prog->setText(platform_.app.programPath());
    if (Check1->isChecked())
        platform_.registry.savestring(RegistryRoot::LocalMachine, kRunKey, kRunValue, Prog->text());
    else
        platform_.registry.DeleteValue(RegistryRoot::LocalMachine, kRunKey, kRunValue);
}

void Conf::Check2_Click() {
    if (Check2->isChecked())
        platform_.registry.savestring(RegistryRoot::LocalMachine, kVersionKey, kSplashValue,
                                      QStringLiteral("1"));
    else
        platform_.registry.DeleteValue(RegistryRoot::LocalMachine, kVersionKey, kSplashValue);
}

void Conf::Command1_Click() {
    close();
}

bool Conf::splashWanted() const {
    return Check2->isChecked();
}

}  // namespace tolvane
