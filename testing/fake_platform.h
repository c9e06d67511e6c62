#pragma once

#include "core/registry_tree.h"
#include "core/windows_1255.h"
#include "platform/platform.h"
#include "testing/fake_tray_icon.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <vector>

namespace tolvane {

// The registry in memory, with the file store's rules.
class FakeRegistry : public RegistryStore {
public:
    void savestring(RegistryRoot root, const QString& path, const QString& name,
                    const QString& text) override {
        writes << "save " + path + " " + name + "=" + text;
        if (!readOnly)
            tree.set(root, path, name, text);
    }
    std::optional<QString> getstring(RegistryRoot root, const QString& path,
                                     const QString& name) override {
        return tree.get(root, path, name);
    }
    void DeleteValue(RegistryRoot root, const QString& path, const QString& name) override {
        writes << "delete " + path + " " + name;
        if (!readOnly)
            tree.remove(root, path, name);
    }

    RegistryTree tree;
    // Every save and delete asked for, in order, taken or not.
    QStringList writes;
    bool readOnly = false;  // as where the user may not write the machine's settings
};

class FakeOpener : public DocumentOpener {
public:
    void ShellDef(const QString& target) override { opened.append(target); }
    QStringList opened;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };
    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override {
        shown.push_back({text, buttons, icon, title});
        if (onShow)
            onShow();
        return answer;
    }
    std::vector<Shown> shown;
    Answer answer = Answer::Ok;
    std::function<void()> onShow;  // runs inside the box, as a nested event loop would
};

class FakeAppInfo : public AppInfo {
public:
    QString title() const override { return QStringLiteral("Tolvane"); }
    QString programPath() const override { return path; }
    QString dataFolder() const override { return folder; }
    QIcon icon() const override { return {}; }
    bool prevInstance() const override { return anotherCopy; }

    QString path = QStringLiteral("/opt/tolvane/tolvane");
    QTemporaryDir scratch;
    QString folder = scratch.path();
    bool anotherCopy = false;
};

class FakeProgramControl : public ProgramControl {
public:
    void processEvents() override {
        ++eventRounds;
        if (onProcessEvents)
            onProcessEvents();
    }
    void endNow() override { ended = true; }
    bool sessionEnding() const override { return ending; }

    int eventRounds = 0;
    std::function<void()> onProcessEvents;
    bool ended = false;
    bool ending = false;
};

class FakeClock : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time = QDateTime(QDate(2026, 12, 8), QTime(12, 0));
};

// Answers the file-open dialog with the queued choices, one per showing; cancels when none.
class FakeFileOpenDialog : public FileOpenDialog {
public:
    std::optional<QString> showOpen(const QString& fileName, QWidget* owner) override {
        presets.append(fileName);
        owners.push_back(owner);
        if (choices.empty())
            return std::nullopt;
        const bool chosen = choices.front().has_value();
        const QString path = choices.front().value_or(QString());
        choices.pop_front();
        if (!chosen)
            return std::nullopt;
        return path;
    }
    std::deque<std::optional<QString>> choices;
    QStringList presets;  // what each showing found in its name box
    std::vector<QWidget*> owners;
};

// The clipboard in memory; it can be made to fail as a desktop clipboard may.
class FakeClipboard : public Clipboard {
public:
    std::optional<QString> text() const override {
        if (broken)
            return std::nullopt;
        return contents;
    }
    bool setText(const QString& text) override {
        if (broken)
            return false;
        contents = text;
        return true;
    }
    std::optional<QString> contents;
    bool broken = false;
};

// The connection as the test sets it; counts what it was asked to do.
class FakeInternetConnection : public InternetConnection {
public:
    State state() override {
        ++looks;
        return current;
    }
    void dial() override { ++dials; }
    void hangUp() override { ++hangUps; }
    State current = State::NotConnected;
    int looks = 0;
    int dials = 0;
    int hangUps = 0;
};

// Never turns anything off; counts the requests.
class FakePowerControl : public PowerControl {
public:
    void powerOff() override { ++powerOffs; }
    int powerOffs = 0;
};

// Records which web windows were asked for.
class FakeWebWindows : public WebWindows {
public:
    void show(WebWindow window) override { shown.push_back(window); }
    std::vector<WebWindow> shown;
};

// Every service faked; tests set them up and read what the code did with them.
struct FakePlatform {
    FakeRegistry registry;
    FakeOpener opener;
    FakeMessageBoxes messages;
    FakeAppInfo app;
    FakeTrayIcon tray;
    FakeProgramControl program;
    FakeClock clock;
    FakeFileOpenDialog files;
    Windows1255 codePage;  // pure, so the real one
    FakeClipboard clipboard;
    FakeInternetConnection connection;
    FakePowerControl power;
    FakeWebWindows webWindows;

    Platform services() {
        return {.registry = registry,
                .opener = opener,
                .messages = messages,
                .app = app,
                .tray = tray,
                .program = program,
                .clock = clock,
                .files = files,
                .codePage = codePage,
                .clipboard = clipboard,
                .connection = connection,
                .power = power,
                .webWindows = webWindows,
                .site = MakerSite(QStringLiteral("site.test"))};
    }
};

}  // namespace tolvane
