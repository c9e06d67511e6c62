#pragma once

#include "shortcuts/shortcut_dialog.h"
#include "shortcuts/shortcut_editor.h"
#include "shortcuts/shortcut_menu.h"
#include "shortcuts/shortcut_windows.h"
#include "testing/fake_platform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

#include <memory>

namespace tolvane {

// A menu with the family of shortcut items the tray menu keeps.
class FakeShortcutMenu : public ShortcutMenu {
public:
    FakeShortcutMenu() {
        items.push_back(menu.addAction(QStringLiteral("SC")));
        items[0]->setVisible(false);
    }
    int shortcutItemCount() const override { return static_cast<int>(items.size()); }
    QAction* shortcutItem(int index) const override { return items.at(index); }
    QAction* addShortcutItem() override {
        items.push_back(menu.addAction(QString()));
        return items.back();
    }
    void removeLastShortcutItem() override {
        if (items.size() > 1) {
            delete items.back();
            items.pop_back();
        }
    }

    // What the menu shows: the captions of the visible items, and their targets.
    QStringList captions() const {
        QStringList shown;
        for (const QAction* item : menu.actions()) {
            if (item->isVisible())
                shown.append(item->text());
        }
        return shown;
    }
    QStringList targets() const {
        QStringList shown;
        for (const QAction* item : menu.actions()) {
            if (item->isVisible())
                shown.append(item->data().toString());
        }
        return shown;
    }

    QMenu menu;
    std::vector<QAction*> items;
};

// The editor and its dialog as the program makes them, over a list file in a scratch folder.
class ShortcutWindowsTest : public testing::Test {
protected:
    ShortcutWindowsTest() {
        defineShortcutWindows(windows, fakes.services(), [this] { return &menu; });
    }
    ~ShortcutWindowsTest() override { settle(); }

    QString listPath() const { return fakes.app.folder + "/SC.Dat"; }
    void writeList(const QByteArray& bytes) const {
        QFile file(listPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray listBytes() const {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    // Records given as name/target pairs, written as the Windows program writes them.
    void writeRecords(const QStringList& namesAndTargets) const {
        QByteArray bytes;
        for (const QString& line : namesAndTargets)
            bytes += *fakes.codePage.fromUnicode(line) + "\r\n";
        writeList(bytes);
    }
    void writeNumberedRecords(int count) const {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("name%1").arg(i) << QStringLiteral("target%1").arg(i);
        writeRecords(lines);
    }

    ShortCuts* openEditor() { return windows.show<ShortCuts>(); }
    ShortCuts_Add* dialog() const { return windows.find<ShortCuts_Add>(); }
    // Lets closed windows go, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static QStringList rows(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    static std::vector<int> selectedRows(const ShortCuts* editor) {
        return {editor->List1->currentRow(), editor->List2->currentRow(),
                editor->List3->currentRow()};
    }

    FakePlatform fakes;
    FakeShortcutMenu menu;
    WindowRegistry windows;
};

}  // namespace tolvane
