#include "shell/main_window.h"

#include "calculator/calc_window.h"
#include "scheduler/task_service.h"
#include "scheduler/timing_window.h"
#include "settings/about_window.h"
#include "settings/conf_window.h"
#include "shortcuts/shortcut_editor.h"
#include "ui/window_registry.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace tolvane {

MainWindow::MainWindow(const Platform& platform, WindowRegistry& windows, TaskService& scheduler)
    : Form(QStringLiteral("main")), platform_(platform), windows_(windows), scheduler_(scheduler) {
    setWindowTitle(QStringLiteral("Tolvane"));
    setWindowIcon(platform_.app.icon());
    setFixedClientTwips(1560, 240);
    buildMenu();
}

void MainWindow::buildMenu() {
    Menu = named(new QMenu(this), "Menu");
    // Popped up from the icon, it carries no title; a screen reader names it as the icon's tip.
    Menu->setAccessibleName(QStringLiteral("Tolvane"));
    Mnu_Browser = named(Menu->addAction(QStringLiteral("דפדפן")), "Mnu_Browser");
    Mnu_News = named(Menu->addAction(QStringLiteral("מבזק חדשות")), "Mnu_News");
    Mnu_News->setVisible(false);
    Mnu_ShortCuts = named(Menu->addMenu(QStringLiteral("קיצורי דרך")), "Mnu_ShortCuts");
    Mnu_EditSC = named(Mnu_ShortCuts->addAction(QStringLiteral("ערוך רשימה")), "Mnu_EditSC");
    Mnu_Line3 = named(Mnu_ShortCuts->addSeparator(), "Mnu_Line3");
    // Shown only once the shortcut list fills it.
    addShortcutItem()->setText(QStringLiteral("SC"));
    Mnu_SC[0]->setVisible(false);
    Mnu_Mis = named(Menu->addAction(QStringLiteral("תזמון משימות")), "Mnu_Mis");
    Mnu_Calc = named(Menu->addAction(QStringLiteral("מחשבון")), "Mnu_Calc");
    Mnu_Curr = named(Menu->addAction(QStringLiteral("המרת מטבעות")), "Mnu_Curr");
    Mnu_Tran = named(Menu->addAction(QStringLiteral("תרגומי מילים")), "Mnu_Tran");
    Mnu_Line2 = named(Menu->addSeparator(), "Mnu_Line2");
    Mnu_Conf = named(Menu->addAction(QStringLiteral("הגדרות")), "Mnu_Conf");
    Mnu_odot = named(Menu->addAction(QStringLiteral("אודות")), "Mnu_odot");
    Mnu_Help = named(Menu->addAction(QStringLiteral("תמיכה טכנית")), "Mnu_Help");
    Mnu_Line1 = named(Menu->addSeparator(), "Mnu_Line1");
    Mnu_Exit = named(Menu->addAction(QStringLiteral("יציאה")), "Mnu_Exit");

    connect(Mnu_EditSC, &QAction::triggered, this, &MainWindow::Mnu_EditSC_Click);
    connect(Mnu_Mis, &QAction::triggered, this, &MainWindow::Mnu_Mis_Click);
    connect(Mnu_Calc, &QAction::triggered, this, &MainWindow::Mnu_Calc_Click);
    connect(Mnu_Curr, &QAction::triggered, this, &MainWindow::Mnu_Curr_Click);
    connect(Mnu_Tran, &QAction::triggered, this, &MainWindow::Mnu_Tran_Click);
    connect(Mnu_Browser, &QAction::triggered, this, &MainWindow::Mnu_Browser_Click);
    connect(Mnu_Conf, &QAction::triggered, this, &MainWindow::Mnu_Conf_Click);
    connect(Mnu_odot, &QAction::triggered, this, &MainWindow::Mnu_odot_Click);
    connect(Mnu_Help, &QAction::triggered, this, &MainWindow::Mnu_Help_Click);
    connect(Mnu_Exit, &QAction::triggered, this, &MainWindow::Mnu_Exit_Click);
    connect(&platform_.tray, &TrayIcon::notified, this, &MainWindow::TrayNotification);
}

void MainWindow::Form_Load() {
    if (platform_.app.prevInstance()) {
        platform_.messages.show(QStringLiteral("!תוכנת Tolvane כבר רצה"), MessageBoxes::Buttons::Ok,
                                MessageBoxes::Icon::Information, platform_.app.title());
        platform_.program.endNow();
        return;
    }
    AddTrayIcon();
    loadShortcutItems();
    loadTaskScheduler();
    bool splash = Conf::loadAtStart(platform_);
    platform_.program.processEvents();

    // Opened from the tray menu meanwhile, the settings window has the last word.
    if (const Conf* conf = windows_.find<Conf>())
        splash = conf->splashWanted();
    if (splash) {
        if (About* about = windows_.show<About>())
            about->showAsSplash();
    }
}

void MainWindow::loadShortcutItems() {
    ShortCuts::loadMenuItems(platform_, *this);
}

void MainWindow::loadTaskScheduler() {
    scheduler_.start();
}

void MainWindow::AddTrayIcon() {
    platform_.tray.add(windowIcon(), QStringLiteral("Tolvane"));
    hide();
}

void MainWindow::TrayNotification(int event) {
    if (event == TrayEvent::LeftDoubleClick)
        windows_.show<About>();
    else if (event == TrayEvent::RightButtonUp)
        Menu->popup(QCursor::pos());
}

void MainWindow::Mnu_EditSC_Click() {
    windows_.show<ShortCuts>();
}

void MainWindow::Mnu_SC_Click(int Index) {
    if (Index >= 0 && Index < shortcutItemCount())
        platform_.opener.ShellDef(Mnu_SC[Index]->data().toString());
}

void MainWindow::Mnu_Mis_Click() {
    windows_.show<Timing>();
}

int MainWindow::shortcutItemCount() const {
    return static_cast<int>(Mnu_SC.size());
}

QAction* MainWindow::shortcutItem(int index) const {
    return Mnu_SC.at(index);
}

QAction* MainWindow::addShortcutItem() {
    const int index = shortcutItemCount();
    QAction* item = named(new QAction(Mnu_ShortCuts), "Mnu_SC");
    Mnu_ShortCuts->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { Mnu_SC_Click(index); });
    Mnu_SC.push_back(item);
    return item;
}

void MainWindow::removeLastShortcutItem() {
    if (Mnu_SC.size() > 1) {
        delete Mnu_SC.back();
        Mnu_SC.pop_back();
    }
}

void MainWindow::Mnu_Calc_Click() {
    windows_.show<Calc>();
}

void MainWindow::Mnu_Curr_Click() {
    platform_.webWindows.show(WebWindow::Curr);
}

void MainWindow::Mnu_Tran_Click() {
    platform_.webWindows.show(WebWindow::Tran);
}

void MainWindow::Mnu_Browser_Click() {
    platform_.webWindows.show(WebWindow::WebBrowser);
}

void MainWindow::Mnu_Conf_Click() {
    windows_.show<Conf>();
}

void MainWindow::Mnu_odot_Click() {
    windows_.show<About>();
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
