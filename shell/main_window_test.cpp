#include "shell/main_window.h"

#include "core/registry_paths.h"
#include "scheduler/task_service.h"
#include "scheduler/timing_window.h"
#include "settings/about_window.h"
#include "settings/conf_window.h"
#include "shell/program_windows.h"
#include "shortcuts/shortcut_editor.h"
#include "testing/fake_platform.h"

#include <gtest/gtest.h>

#include <QAccessible>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace tolvane {
namespace {

constexpr auto kRoot = RegistryRoot::LocalMachine;
const QString kKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");

class MainWindowTest : public testing::Test {
protected:
    MainWindow* start() {
        windows = std::make_unique<WindowRegistry>();
        defineProgramWindows(*windows, fakes.services());
        return windows->load<MainWindow>();
    }
    // Not the first start, with the splash setting as given.
    void setUpLaterStart(bool splash) {
        fakes.registry.savestring(kRoot, kKey, "TNFirst", "1");
        if (splash)
            fakes.registry.savestring(kRoot, kKey, "TNFlash", "1");
    }
    void TearDown() override {
        windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void writeShortcutFile(const QByteArray& bytes) {
        QFile file(fakes.app.folder + "/SC.Dat");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QStringList shortcutItems(const MainWindow* main) {
        QStringList shown;
        for (QAction* action : main->Mnu_ShortCuts->actions()) {
            if (action->isVisible())
                shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return shown;
    }

    FakePlatform fakes;
    std::unique_ptr<WindowRegistry> windows;
};

TEST_F(MainWindowTest, ASecondCopySaysSoAndEndsBeforeAnythingElse) {
    fakes.app.anotherCopy = true;
    MainWindow* main = start();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, QStringLiteral("!תוכנת Tolvane כבר רצה"));
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");
    EXPECT_EQ(fakes.messages.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageBoxes::Buttons::Ok);
    EXPECT_TRUE(fakes.program.ended);
    EXPECT_EQ(fakes.tray.adds, 0);
    EXPECT_EQ(windows->find<Conf>(), nullptr);
    EXPECT_FALSE(fakes.registry.getstring(kRoot, kKey, "TNFirst").has_value());
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowTest, TheFirstStartShowsTheIconAndTheSplash) {
    MainWindow* main = start();
    EXPECT_TRUE(fakes.tray.shown);
    EXPECT_EQ(fakes.tray.tip, "Tolvane");
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(main->objectName(), "main");
    EXPECT_EQ(fakes.program.eventRounds, 1);
    EXPECT_FALSE(fakes.program.ended);
    // The settings window's load ran without the window: both settings on, start at log-on
    // registered under the program's path.
    EXPECT_EQ(windows->find<Conf>(), nullptr);
    EXPECT_EQ(fakes.registry.getstring(kRoot, kKey, "TNFirst"), "1");
    EXPECT_EQ(fakes.registry.getstring(kRoot, kKey, "TNFlash"), "1");
    EXPECT_EQ(fakes.registry.getstring(kRoot, kRunKey, kRunValue),
              fakes.app.programPath());

    About* about = windows->find<About>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->Timer1->isActive());
    EXPECT_FALSE(about->Command1->isVisible());
}

TEST_F(MainWindowTest, TheSettingsAreLoadedBeforeWaitingMessagesRunAndTheSplashComesAfter) {
    bool iconShown = false, settingsLoaded = false, splashShown = true;
    fakes.program.onProcessEvents = [&] {
        iconShown = fakes.tray.shown;
        settingsLoaded = fakes.registry.getstring(kRoot, kKey, "TNFirst").has_value();
        splashShown = windows->find<About>() != nullptr;
    };
    start();
    EXPECT_TRUE(iconShown);
    EXPECT_TRUE(settingsLoaded);
    EXPECT_FALSE(splashShown);
    EXPECT_NE(windows->find<About>(), nullptr);
}

TEST_F(MainWindowTest, WithTheSplashOffNoWindowShowsAtStart) {
    setUpLaterStart(false);
    start();
    EXPECT_EQ(windows->find<About>(), nullptr);
    EXPECT_TRUE(fakes.tray.shown);
}

TEST_F(MainWindowTest, ADoubleClickDuringTheSplashBringsUpThatSameWindow) {
    start();
    About* splash = windows->find<About>();
    fakes.tray.click(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(windows->find<About>(), splash);
    EXPECT_TRUE(splash->Timer1->isActive());
    EXPECT_FALSE(splash->Command1->isVisible());
}

TEST_F(MainWindowTest, OnlyADoubleClickAndTheRightButtonsReleaseDoAnything) {
    setUpLaterStart(false);
    MainWindow* main = start();
    fakes.tray.click(TrayEvent::LeftButtonUp);
    fakes.tray.click(TrayEvent::MiddleButtonUp);
    fakes.tray.click(0x200);
    EXPECT_EQ(windows->find<About>(), nullptr);
    EXPECT_FALSE(main->Menu->isVisible());

    fakes.tray.click(TrayEvent::RightButtonUp);
    EXPECT_TRUE(main->Menu->isVisible());
    main->Menu->hide();

    fakes.tray.click(TrayEvent::LeftDoubleClick);
    About* about = windows->find<About>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    // Opened as the About box, it stays until closed.
    EXPECT_FALSE(about->Timer1->isActive());
    EXPECT_TRUE(about->Command1->isVisible());
}

TEST_F(MainWindowTest, TheMenuHoldsItsItemsInOrderAndNoNewsItem) {
    MainWindow* main = start();
    QStringList shown;
    for (QAction* action : main->Menu->actions()) {
        if (action->isVisible())
            shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(shown,
              QStringList({"דפדפן", "קיצורי דרך", "תזמון משימות", "מחשבון", "המרת מטבעות",
                           "תרגומי מילים", "-", "הגדרות", "אודות", "תמיכה טכנית", "-", "יציאה"}));
    EXPECT_EQ(shortcutItems(main), QStringList({"ערוך רשימה", "-"}));
}

TEST_F(MainWindowTest, TheShortcutFileFillsTheSubmenuAtStartAndAnItemOpensItsTarget) {
    setUpLaterStart(false);
    writeShortcutFile("\xE3\xE5\xE0\xF8\r\nC:\\Mail.exe\r\nb\r\n/usr/bin/b\r\nc\r\nc.txt\r\n");
    MainWindow* main = start();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows->find<ShortCuts>(), nullptr) << "made only to fill the menu";
    EXPECT_EQ(shortcutItems(main), QStringList({"ערוך רשימה", "-", "דואר", "b", "c"}));
    main->Mnu_SC[1]->trigger();
    EXPECT_EQ(fakes.opener.opened, QStringList({"/usr/bin/b"}));
}

TEST_F(MainWindowTest, WithoutAShortcutFileTheSubmenuHasNoItemsAndAnEmptyFileIsMade) {
    setUpLaterStart(false);
    MainWindow* main = start();
    EXPECT_EQ(shortcutItems(main), QStringList({"ערוך רשימה", "-"}));
    QFile file(fakes.app.folder + "/SC.Dat");
    ASSERT_TRUE(file.exists());
    EXPECT_EQ(file.size(), 0);
}

TEST_F(MainWindowTest, TheEditorOpensOnceAndItsSaveRebuildsItemsThatOpenTheirOwnTargets) {
    setUpLaterStart(false);
    writeShortcutFile("a\r\n1\r\nb\r\n2\r\nc\r\n3\r\n");
    MainWindow* main = start();
    main->Mnu_EditSC->trigger();
    ShortCuts* editor = windows->find<ShortCuts>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    editor->List2->setCurrentRow(0);
    editor->Command2->click();
    main->Mnu_EditSC->trigger();
    EXPECT_EQ(windows->find<ShortCuts>(), editor);
    EXPECT_EQ(editor->List2->count(), 2) << "brought up with its unsaved edits";

    editor->Command6->click();
    EXPECT_EQ(shortcutItems(main), QStringList({"ערוך רשימה", "-", "b", "c"}));
    EXPECT_EQ(main->Mnu_SC.size(), 2u);
    main->Mnu_SC[0]->trigger();
    main->Mnu_SC[1]->trigger();
    EXPECT_EQ(fakes.opener.opened, QStringList({"2", "3"}));
}

// The scheduler runs from start; its window is made when first opened, shows the list the
// scheduler has, and only hides when closed.
TEST_F(MainWindowTest, TheSchedulerRunsFromStartAndTheMenuMakesItsWindowOnce) {
    setUpLaterStart(false);
    QFile file(fakes.app.folder + "/Timing.Dat");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("when\r\nwhat\r\nCODE\r\n");
    file.close();
    bool runningBeforeMessagesRun = false;
    fakes.program.onProcessEvents = [&] {
        runningBeforeMessagesRun = windows->find<MainWindow>()->scheduler().timer()->isActive();
    };
    MainWindow* main = start();
    EXPECT_TRUE(runningBeforeMessagesRun);
    EXPECT_EQ(windows->find<Timing>(), nullptr);
    EXPECT_EQ(main->scheduler().tasks().codes, QStringList{"CODE"});

    main->Mnu_Mis->trigger();
    Timing* timing = windows->find<Timing>();
    ASSERT_NE(timing, nullptr);
    EXPECT_TRUE(timing->isVisible());
    EXPECT_EQ(timing->Timer1, main->scheduler().timer());
    EXPECT_EQ(timing->List4->count(), 1);
    timing->Command9->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows->find<Timing>(), timing) << "closing only hides it";
    EXPECT_FALSE(timing->isVisible());
    main->Mnu_Mis->trigger();
    EXPECT_EQ(windows->find<Timing>(), timing);
}

TEST_F(MainWindowTest, MenuCommandsShowOneWindowEach) {
    setUpLaterStart(false);
    MainWindow* main = start();
    main->Mnu_Conf->trigger();
    Conf* opened = windows->find<Conf>();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    main->Mnu_Conf->trigger();
    EXPECT_EQ(windows->find<Conf>(), opened);

    // Once closed, the next opening loads it again from the registry.
    opened->Command1->click();
    fakes.registry.savestring(kRoot, kKey, "TNFlash", "1");
    main->Mnu_Conf->trigger();
    Conf* reopened = windows->find<Conf>();
    ASSERT_NE(reopened, nullptr);
    EXPECT_NE(reopened, opened);
    EXPECT_TRUE(reopened->Check2->isChecked());

    main->Mnu_odot->trigger();
    About* about = windows->find<About>();
    main->Mnu_odot->trigger();
    EXPECT_EQ(windows->find<About>(), about);

    main->Mnu_Help->trigger();
    EXPECT_EQ(fakes.opener.opened, QStringList{"site.test/cp/support.html"});

    // The web windows live in a process of their own: the menu only asks for them.
    main->Mnu_Curr->trigger();
    main->Mnu_Tran->trigger();
    main->Mnu_Browser->trigger();
    EXPECT_EQ(fakes.webWindows.shown,
              (std::vector<WebWindow>{WebWindow::Curr, WebWindow::Tran, WebWindow::WebBrowser}));
}

TEST_F(MainWindowTest, ClosingMainOnlyHidesItUnlessTheSessionEnds) {
    MainWindow* main = start();
    main->show();
    EXPECT_FALSE(main->close());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(windows->find<MainWindow>(), main);
    EXPECT_TRUE(fakes.tray.shown);

    fakes.program.ending = true;
    EXPECT_TRUE(main->close());
}

TEST_F(MainWindowTest, ExitRemovesTheIconAndEndsWithoutClosingAnyWindow) {
    MainWindow* main = start();
    main->Mnu_Conf->trigger();
    Conf* conf = windows->find<Conf>();
    ASSERT_NE(conf, nullptr);
    bool confUnloaded = false;
    QObject::connect(conf, &Form::unloaded, [&] { confUnloaded = true; });
    const int roundsBefore = fakes.program.eventRounds;

    main->Mnu_Exit->trigger();
    EXPECT_FALSE(fakes.tray.shown);
    EXPECT_EQ(fakes.program.eventRounds, roundsBefore + 1);
    EXPECT_TRUE(fakes.program.ended);
    EXPECT_FALSE(confUnloaded);
}

// A screen reader reads the tray menu item by item by the captions it shows, a shortcut's name
// as it stands even with an ampersand in it, and never the hidden news item.
TEST_F(MainWindowTest, AScreenReaderReadsTheTrayMenuByItsCaptions) {
    setUpLaterStart(false);
    writeShortcutFile("R&D\r\n/usr/bin/rd\r\n");
    MainWindow* main = start();
    const auto items = [](QMenu* menu) {
        QStringList read;
        menu->popup({});
        QAccessibleInterface* popup = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < popup->childCount(); ++i) {
            QAccessibleInterface* item = popup->child(i);
            if (item->state().invisible)
                continue;
            read << (item->role() == QAccessible::Separator  ? QStringLiteral("-")
                     : item->role() == QAccessible::MenuItem ? item->text(QAccessible::Name)
                                                             : QStringLiteral("?"));
        }
        menu->hide();
        return read;
    };
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main->Menu)->role(), QAccessible::PopupMenu);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main->Menu)->text(QAccessible::Name),
              "Tolvane");
    EXPECT_EQ(items(main->Menu),
              QStringList({"דפדפן", "קיצורי דרך", "תזמון משימות", "מחשבון", "המרת מטבעות",
                           "תרגומי מילים", "-", "הגדרות", "אודות", "תמיכה טכנית", "-", "יציאה"}));
    EXPECT_EQ(items(main->Mnu_ShortCuts), QStringList({"ערוך רשימה", "-", "R&D"}));
}

}  // namespace
}  // namespace tolvane
