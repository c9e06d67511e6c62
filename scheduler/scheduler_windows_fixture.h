#pragma once

#include "scheduler/scheduler_windows.h"
#include "scheduler/task_service.h"
#include "scheduler/timing_add.h"
#include "scheduler/timing_window.h"
#include "testing/fake_platform.h"
#include "ui/list_columns.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace tolvane {

// The task window and its dialog as the program makes them, over a list file in a scratch
// folder, on the fake clock, connection and power.
class SchedulerWindowsTest : public testing::Test {
protected:
    SchedulerWindowsTest() { scheduler = &defineSchedulerWindows(windows, fakes.services()); }
    ~SchedulerWindowsTest() override { settle(); }

    QString listPath() const { return fakes.app.folder + "/Timing.Dat"; }
    QByteArray listBytes() const {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    // The file's lines, as the Windows program writes them.
    void writeLines(const QStringList& lines) const {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += *fakes.codePage.fromUnicode(line) + "\r\n";
        QFile file(listPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList fileLines() const {
        QStringList lines = fakes.codePage.toUnicode(listBytes()).split("\r\n");
        lines.removeLast();
        return lines;
    }
    // Tasks of those codes, with texts that tell them apart.
    void writeCodes(const QStringList& codes) const {
        QStringList lines;
        for (const QString& code : codes)
            lines << "when " + code << "what " + code << code;
        writeLines(lines);
    }
    void makeReadOnly() const {
        QFile::setPermissions(listPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    void setClock(int hour, int minute, int second) {
        fakes.clock.time = QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second));
    }

    // Loaded hidden, as at program start.
    Timing* loadTiming() { return windows.load<Timing>(); }
    // Shown, as from the tray menu.
    Timing* openEditor() { return windows.show<Timing>(); }
    Timing_add* dialog() const { return windows.find<Timing_add>(); }
    // Lets closed windows go, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static std::vector<int> selectedRows(const Timing* timing) {
        return {timing->List1->currentRow(), timing->List2->currentRow(),
                timing->List3->currentRow()};
    }
    QStringList boxTexts() const {
        QStringList texts;
        for (const auto& shown : fakes.messages.shown)
            texts.push_back(shown.text);
        return texts;
    }

    FakePlatform fakes;
    WindowRegistry windows;
    // As start-up has it, before the window is made.
    TaskService* scheduler = nullptr;
};

}  // namespace tolvane
