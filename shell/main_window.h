#pragma once

#include "platform/platform.h"
#include "shortcuts/shortcut_menu.h"
#include "ui/form.h"

#include <vector>

class QAction;
class QMenu;

namespace tolvane {

class TaskService;
class WindowRegistry;

// The start-up window, never meant to be seen. Its load handler runs the whole start-up;
// afterwards it carries the tray icon and the tray menu, from which every other window opens.
class MainWindow : public Form, public ShortcutMenu {
    Q_OBJECT
public:
    // The scheduler runs from start, before its window is ever made.
    MainWindow(const Platform& platform, WindowRegistry& windows, TaskService& scheduler);

    QMenu* Menu;
    QAction* Mnu_Browser;
    QAction* Mnu_News;
    QMenu* Mnu_ShortCuts;
    QAction* Mnu_EditSC;
    QAction* Mnu_Line3;
    std::vector<QAction*> Mnu_SC;
    QAction* Mnu_Mis;
    QAction* Mnu_Calc;
    QAction* Mnu_Curr;
    QAction* Mnu_Tran;
    QAction* Mnu_Line2;
    QAction* Mnu_Conf;
    QAction* Mnu_odot;
    QAction* Mnu_Help;
    QAction* Mnu_Line1;
    QAction* Mnu_Exit;

    void AddTrayIcon();
    // A mouse event on the tray icon, as a TrayEvent code.
    void TrayNotification(int event);

    void Mnu_EditSC_Click();
    void Mnu_SC_Click(int Index);
    void Mnu_Mis_Click();
    void Mnu_Calc_Click();
    void Mnu_Curr_Click();
    void Mnu_Tran_Click();
    void Mnu_Browser_Click();
    void Mnu_Conf_Click();
    void Mnu_odot_Click();
    void Mnu_Help_Click();
    void Mnu_Exit_Click();

    int shortcutItemCount() const override;
    QAction* shortcutItem(int index) const override;
    QAction* addShortcutItem() override;
    void removeLastShortcutItem() override;

    const TaskService& scheduler() const { return scheduler_; }

protected:
    // The program's entry: runs the whole start-up.
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void buildMenu();
    // The shortcut items of the tray menu, from the shortcut list.
    void loadShortcutItems();
    // The scheduler starts; its window is made when first opened.
    void loadTaskScheduler();

    Platform platform_;
    WindowRegistry& windows_;
    TaskService& scheduler_;
};

}  // namespace tolvane
