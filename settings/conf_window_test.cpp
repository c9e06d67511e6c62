#include "settings/conf_window.h"

#include "testing/accessibility.h"
#include "testing/fake_platform.h"
#include "ui/frame.h"
#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace tolvane {
namespace {

constexpr auto kRoot = RegistryRoot::LocalMachine;
const QString kKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
const QString kRun = kKey + QStringLiteral("\\Run");

class ConfWindowTest : public testing::Test {
protected:
    ConfWindowTest() {
        windows.define<Conf>([this] { return new Conf(fakes.services()); });
    }
    ~ConfWindowTest() override { settle(); }

    // Loads the window afresh, as the next start of the program would.
    Conf* load() {
        windows.unload<Conf>();
        settle();
        return windows.load<Conf>();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    std::optional<QString> value(const QString& key, const QString& name) {
        return fakes.registry.getstring(kRoot, key, name);
    }

    FakePlatform fakes;
    WindowRegistry windows;
};

TEST_F(ConfWindowTest, TheFirstStartTurnsBothSettingsOn) {
    Conf* conf = load();
    EXPECT_TRUE(conf->Check1->isChecked());
    EXPECT_TRUE(conf->Check2->isChecked());
    EXPECT_EQ(value(kRun, "Tolvane"), fakes.app.path);
    EXPECT_EQ(value(kKey, "TNFlash"), QStringLiteral("1"));
    EXPECT_EQ(value(kKey, "TNFirst"), QStringLiteral("1"));
    EXPECT_FALSE(conf->isVisible());
    EXPECT_FALSE(conf->Check3->isEnabled());
}

TEST_F(ConfWindowTest, LaterStartsShowWhatTheRegistryHolds) {
    fakes.registry.savestring(kRoot, kKey, "TNFirst", "1");
    Conf* conf = load();
    EXPECT_FALSE(conf->Check1->isChecked());
    EXPECT_FALSE(conf->Check2->isChecked());
    // The defaults apply once only: nothing comes back after the user turned it off.
    EXPECT_EQ(value(kRun, "Tolvane"), std::nullopt);
    EXPECT_EQ(value(kKey, "TNFlash"), std::nullopt);

    fakes.registry.savestring(kRoot, kKey, "TNFlash", "yes");
    fakes.registry.savestring(kRoot, kRun, "Tolvane", fakes.app.path);
    conf = load();
    EXPECT_TRUE(conf->Check1->isChecked());
    EXPECT_TRUE(conf->Check2->isChecked());
    EXPECT_EQ(value(kKey, "TNFlash"), QStringLiteral("1"));
}

TEST_F(ConfWindowTest, AMovedOrRenamedProgramRegistersItsNewPath) {
    fakes.registry.savestring(kRoot, kKey, "TNFirst", "1");
    for (const QString& old : {QStringLiteral("/old/place/tolvane"), fakes.app.path.toUpper()}) {
        fakes.registry.savestring(kRoot, kRun, "Tolvane", old);
        Conf* conf = load();
        EXPECT_TRUE(conf->Check1->isChecked());
        EXPECT_EQ(value(kRun, "Tolvane"), fakes.app.path);
        EXPECT_EQ(conf->Prog->text(), fakes.app.path);
        EXPECT_FALSE(conf->Prog->isVisible());
    }
}

TEST_F(ConfWindowTest, AnEmptyStoredValueCountsAsAbsent) {
    fakes.registry.savestring(kRoot, kKey, "TNFirst", "");
    fakes.registry.savestring(kRoot, kKey, "TNFlash", "");
    Conf* conf = load();
    // An empty marker is no marker: the first-run defaults apply.
    EXPECT_TRUE(conf->Check1->isChecked());
    EXPECT_EQ(value(kKey, "TNFirst"), QStringLiteral("1"));
}

TEST_F(ConfWindowTest, EachClickWritesOrDeletesItsValueAtOnce) {
    Conf* conf = load();
    conf->Check2->click();
    EXPECT_EQ(value(kKey, "TNFlash"), std::nullopt);
    conf->Check1->click();
    EXPECT_EQ(value(kRun, "Tolvane"), std::nullopt);
    conf->Check1->click();
    EXPECT_EQ(value(kRun, "Tolvane"), fakes.app.path);

    // The next start shows the registry's state.
    conf = load();
    EXPECT_TRUE(conf->Check1->isChecked());
    EXPECT_FALSE(conf->Check2->isChecked());
}

TEST_F(ConfWindowTest, AReadOnlyRegistryChangesTheBoxButNotTheStore) {
    Conf* conf = load();
    fakes.registry.readOnly = true;
    conf->Check2->click();
    EXPECT_FALSE(conf->Check2->isChecked());
    EXPECT_EQ(value(kKey, "TNFlash"), QStringLiteral("1"));
    EXPECT_TRUE(load()->Check2->isChecked());
}

TEST_F(ConfWindowTest, TheFramesShowTheirCaptionsOnceTheWindowIsShown) {
    const Conf* conf = load();
    // Made hidden at start-up, and polished as every window is, the window lays no caption out
    // (that would load the fonts), but a screen reader still hears them.
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(conf->Frame1->testAttribute(Qt::WA_WState_Polished));
    EXPECT_TRUE(conf->Frame1->title().isEmpty());
    EXPECT_EQ(conf->Frame1->accessibleName(), QStringLiteral("הרצה:"));
    EXPECT_EQ(conf->Frame2->accessibleName(), QStringLiteral("עם התחברות לאינטרנט:"));

    windows.show<Conf>();
    EXPECT_EQ(conf->Frame1->title(), QStringLiteral("הרצה:"));
    EXPECT_EQ(conf->Frame2->title(), QStringLiteral("עם התחברות לאינטרנט:"));
}

TEST_F(ConfWindowTest, CloseUnloadsTheWindow) {
    Conf* conf = load();
    EXPECT_TRUE(conf->Command1->isDefault());
    QPointer<Conf> closed = conf;
    conf->Command1->click();
    EXPECT_EQ(windows.find<Conf>(), nullptr);
    settle();
    EXPECT_TRUE(closed.isNull());
}

// Every control by its caption; Tab goes down the boxes to the close button, passing the box
// that is always greyed.
TEST_F(ConfWindowTest, AScreenReaderFindsEveryControlByItsCaptionAndTabGoesDown) {
    Conf* conf = load();
    EXPECT_EQ(unnamedControls(conf), std::vector<std::string>());
    EXPECT_EQ(accessibleName(conf->Frame1), "הרצה:");
    EXPECT_EQ(accessibleName(conf->Check2), "הראה את מסך הפתיחה.");
    EXPECT_EQ(accessibleName(conf->Command1), "סגור");
    EXPECT_TRUE(accessibleState(conf->Check2).checked);
    EXPECT_TRUE(accessibleState(conf->Check3).disabled);
    EXPECT_EQ(wrongRoles({{conf->Frame1, QAccessible::Grouping},
                          {conf->Frame2, QAccessible::Grouping},
                          {conf->Check1, QAccessible::CheckBox},
                          {conf->Check3, QAccessible::CheckBox},
                          {conf->Command1, QAccessible::Button}}),
              std::vector<std::string>());
    EXPECT_EQ(tabWalk(conf, conf->Check1),
              controlNames({conf->Check1, conf->Check2, conf->Command1}));
}

// Start-up does what loading the hidden window did, without the window: the same registry
// calls in the same order, and the same answer for the splash, whatever the registry holds.
TEST(ConfAtStartTest, DoesWhatLoadingTheWindowDoesToTheRegistry) {
    struct Start {
        const char* what;
        std::optional<QString> firstRun, run, splash;
        bool readOnly = false;
    };
    const QString here = FakeAppInfo().path;
    const std::vector<Start> starts = {
        {"first start", {}, {}, {}},
        {"first start, read-only", {}, {}, {}, true},
        {"first start, already registered elsewhere", {}, "/old/tolvane", {}},
        {"later, nothing on", "1", {}, {}},
        {"later, splash on", "1", {}, "1"},
        {"later, registered here", "1", here, "1"},
        {"later, moved", "1", "/old/tolvane", {}},
        {"later, moved, read-only", "1", "/old/tolvane", "1", true},
        {"later, empty values", "", "", ""},
    };
    for (const Start& start : starts) {
        const auto prepare = [&](FakeRegistry& registry) {
            if (start.firstRun)
                registry.savestring(kRoot, kKey, "TNFirst", *start.firstRun);
            if (start.run)
                registry.savestring(kRoot, kRun, "Tolvane", *start.run);
            if (start.splash)
                registry.savestring(kRoot, kKey, "TNFlash", *start.splash);
            registry.readOnly = start.readOnly;
            registry.writes.clear();
        };
        FakePlatform byWindow;
        prepare(byWindow.registry);
        WindowRegistry windows;
        windows.define<Conf>([&] { return new Conf(byWindow.services()); });
        const Conf* conf = windows.load<Conf>();
        ASSERT_NE(conf, nullptr);

        FakePlatform atStart;
        prepare(atStart.registry);
        const bool splash = Conf::loadAtStart(atStart.services());

        EXPECT_EQ(atStart.registry.writes, byWindow.registry.writes) << start.what;
        EXPECT_EQ(splash, conf->splashWanted()) << start.what;
    }
}

}  // namespace
}  // namespace tolvane
