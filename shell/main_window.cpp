#include "main_window.h"

#include "about_window.h"
#include "conf_window.h"
#include "window_registry.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QCursor>
#include <QMenu>

namespace tolvane {

MainWindow::MainWindow(const Platform& platform, WindowRegistry& windows)
    : Form(QStringLiteral("main")), platform_(platform), windows_(windows) {
    setWindowTitle(QStringLiteral("Tolvane"));
    setWindowIcon(platform_.app.icon());
    setFixedClientTwips(1560, 240);
    buildMenu();
}

void MainWindow::buildMenu() {
    Menu = new QMenu(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto line = [](QMenu* menu, const char* name) {
        QAction* separator = menu->addSeparator();
        separator->setObjectName(QString::fromLatin1(name));
        return separator;
    };

    Mnu_Browser = item(Menu, "Mnu_Browser", QStringLiteral("דפדפן"));
    Mnu_News = item(Menu, "Mnu_News", QStringLiteral("מבזק חדשות"));
    Mnu_News->setVisible(false);
    Mnu_ShortCuts = Menu->addMenu(QStringLiteral("קיצורי דרך"));
    Mnu_ShortCuts->setObjectName(QStringLiteral("Mnu_ShortCuts"));
    Mnu_EditSC = item(Mnu_ShortCuts, "Mnu_EditSC", QStringLiteral("ערוך רשימה"));
    Mnu_Line3 = line(Mnu_ShortCuts, "Mnu_Line3");
    // Shown only once the shortcut list fills it.
    Mnu_SC.push_back(item(Mnu_ShortCuts, "Mnu_SC", QStringLiteral("SC")));
    Mnu_SC[0]->setVisible(false);
    Mnu_Mis = item(Menu, "Mnu_Mis", QStringLiteral("תזמון משימות"));
    Mnu_Calc = item(Menu, "Mnu_Calc", QStringLiteral("מחשבון"));
    Mnu_Curr = item(Menu, "Mnu_Curr", QStringLiteral("המרת מטבעות"));
    Mnu_Tran = item(Menu, "Mnu_Tran", QStringLiteral("תרגומי מילים"));
    Mnu_Line2 = line(Menu, "Mnu_Line2");
    Mnu_Conf = item(Menu, "Mnu_Conf", QStringLiteral("הגדרות"));
    Mnu_odot = item(Menu, "Mnu_odot", QStringLiteral("אודות"));
    Mnu_Help = item(Menu, "Mnu_Help", QStringLiteral("תמיכה טכנית"));
    Mnu_Line1 = line(Menu, "Mnu_Line1");
    Mnu_Exit = item(Menu, "Mnu_Exit", QStringLiteral("יציאה"));

    connect(Mnu_Conf, &QAction::triggered, this, &MainWindow::Mnu_Conf_Click);
    connect(Mnu_odot, &QAction::triggered, this, &MainWindow::Mnu_odot_Click);
    connect(Mnu_Help, &QAction::triggered, this, &MainWindow::Mnu_Help_Click);
    connect(Mnu_Exit, &QAction::triggered, this, &MainWindow::Mnu_Exit_Click);
    connect(&platform_.tray, &TrayIcon::notified, this, &MainWindow::TrayNotification);
}

void MainWindow::Form_Load() {
    if (platform_.app.prevInstance()) {
        platform_.messages.show(QStringLiteral("!תוכנת Tolvane כבר רצה"),
                                MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information,
                                platform_.app.title());
        platform_.program.endNow();
        return;
    }
    AddTrayIcon();
    loadShortcutItems();
    loadTaskScheduler();
    windows_.load<ConfWindow>();
    platform_.program.processEvents();

    const ConfWindow* conf = windows_.find<ConfWindow>();
    if (conf && conf->Check2->isChecked()) {
        AboutWindow* about = windows_.show<AboutWindow>();
        about->Timer1->start();
        about->Command1->setVisible(false);
    }
}

void MainWindow::loadShortcutItems() {}

void MainWindow::loadTaskScheduler() {}

void MainWindow::AddTrayIcon() {
    platform_.tray.add(windowIcon(), QStringLiteral("Tolvane"));
    hide();
}

void MainWindow::TrayNotification(int event) {
    if (event == TrayEvent::LeftDoubleClick)
        windows_.show<AboutWindow>();
    else if (event == TrayEvent::RightButtonUp)
        Menu->popup(QCursor::pos());
}

void MainWindow::Mnu_Conf_Click() {
    windows_.show<ConfWindow>();
}

void MainWindow::Mnu_odot_Click() {
    windows_.show<AboutWindow>();
}

void MainWindow::Mnu_Help_Click() {
    platform_.opener.ShellDef(platform_.site.supportPage());
}

void MainWindow::Mnu_Exit_Click() {
    platform_.tray.remove();
    platform_.program.processEvents();
    platform_.program.endNow();
}

void MainWindow::Form_Unload(bool& cancel) {
    // Closing only hides the window, but the ending desktop session must never be held up.
    if (platform_.program.sessionEnding())
        return;
    AddTrayIcon();
    cancel = true;
}

}  // namespace tolvane
