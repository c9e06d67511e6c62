#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>

namespace tolvane {
namespace {

class Plain : public Form {
public:
    explicit Plain(int& made) : Form(QStringLiteral("Plain")) { ++made; }
};

class Sticky : public Form {
public:
    Sticky() : Form(QStringLiteral("Sticky")) {}

protected:
    void Form_Unload(bool& cancel) override {
        hide();
        cancel = true;
    }
};

class GivesUpWhileLoading : public Form {
public:
    GivesUpWhileLoading() : Form(QStringLiteral("GivesUp")) {}

protected:
    void Form_Load() override { close(); }
};

// Its load handler waits in a message box, where the user asks for the same window again.
class AskedForAgainWhileLoading : public Form {
public:
    explicit AskedForAgainWhileLoading(WindowRegistry& windows)
        : Form(QStringLiteral("Again")), windows_(windows) {}

    AskedForAgainWhileLoading* shownAgain = nullptr;
    AskedForAgainWhileLoading* foundAgain = nullptr;

protected:
    void Form_Load() override {
        shownAgain = windows_.show<AskedForAgainWhileLoading>();
        foundAgain = windows_.find<AskedForAgainWhileLoading>();
    }

private:
    WindowRegistry& windows_;
};

void destroyClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(WindowRegistry, AWindowExistsOnceUntilItIsClosed) {
    WindowRegistry windows;
    int made = 0;
    windows.define<Plain>([&made] { return new Plain(made); });

    EXPECT_EQ(windows.find<Plain>(), nullptr);
    Plain* loaded = windows.load<Plain>();
    EXPECT_FALSE(loaded->isVisible());
    EXPECT_EQ(windows.show<Plain>(), loaded);
    EXPECT_TRUE(loaded->isVisible());
    EXPECT_EQ(windows.show<Plain>(), loaded);
    EXPECT_EQ(made, 1);

    QPointer<Plain> closed = loaded;
    loaded->close();
    // Gone for the registry at once, though Qt destroys it a moment later.
    EXPECT_EQ(windows.find<Plain>(), nullptr);
    Plain* fresh = windows.show<Plain>();
    EXPECT_NE(fresh, loaded);
    EXPECT_EQ(made, 2);
    destroyClosedWindows();
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(windows.find<Plain>(), fresh);
}

TEST(WindowRegistry, AWindowThatCancelsItsUnloadStays) {
    WindowRegistry windows;
    windows.define<Sticky>([] { return new Sticky; });
    Sticky* sticky = windows.show<Sticky>();
    windows.unload<Sticky>();
    destroyClosedWindows();
    EXPECT_EQ(windows.find<Sticky>(), sticky);
    EXPECT_FALSE(sticky->isVisible());
}

TEST(WindowRegistry, AWindowThatClosesWhileLoadingIsNotKept) {
    WindowRegistry windows;
    windows.define<GivesUpWhileLoading>([] { return new GivesUpWhileLoading; });
    EXPECT_EQ(windows.show<GivesUpWhileLoading>(), nullptr);
    EXPECT_EQ(windows.find<GivesUpWhileLoading>(), nullptr);
    destroyClosedWindows();
}

TEST(WindowRegistry, AWindowAskedForWhileItLoadsIsFoundButNotMadeAgain) {
    WindowRegistry windows;
    int made = 0;
    windows.define<AskedForAgainWhileLoading>([&windows, &made] {
        ++made;
        return new AskedForAgainWhileLoading(windows);
    });
    AskedForAgainWhileLoading* window = windows.show<AskedForAgainWhileLoading>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->shownAgain, nullptr);
    EXPECT_EQ(window->foundAgain, window);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(windows.show<AskedForAgainWhileLoading>(), window);
}

TEST(WindowRegistry, AnUndefinedWindowIsNeverMade) {
    WindowRegistry windows;
    EXPECT_EQ(windows.show<Plain>(), nullptr);
}

TEST(WindowRegistry, TheLoadHandlerRunsOnceBeforeTheWindowIsHandedOut) {
    class CountsLoads : public Form {
    public:
        CountsLoads() : Form(QStringLiteral("CountsLoads")) {}
        int loads = 0;

    protected:
        void Form_Load() override { ++loads; }
    };
    WindowRegistry windows;
    windows.define<CountsLoads>([] { return new CountsLoads; });
    CountsLoads* window = windows.load<CountsLoads>();
    EXPECT_EQ(window->loads, 1);
    windows.show<CountsLoads>();
    windows.load<CountsLoads>();
    EXPECT_EQ(window->loads, 1);
}

TEST(WindowRegistry, EveryWindowCarriesTheProgramsIconUnlessItBringsItsOwn) {
    // Records the icon it has when its load handler runs (the main window hands it to the tray
    // there).
    class NotesIcon : public Form {
    public:
        explicit NotesIcon(const QIcon& own) : Form(QStringLiteral("NotesIcon")) {
            if (!own.isNull())
                setWindowIcon(own);
        }
        qint64 iconWhenLoaded = 0;

    protected:
        void Form_Load() override { iconWhenLoaded = windowIcon().cacheKey(); }
    };
    class OwnIcon : public NotesIcon {
    public:
        using NotesIcon::NotesIcon;
    };
    const auto filled = [](Qt::GlobalColor color) {
        QPixmap pixmap(16, 16);
        pixmap.fill(color);
        return QIcon(pixmap);
    };
    const QIcon program = filled(Qt::red);
    const QIcon own = filled(Qt::blue);

    WindowRegistry windows;
    windows.define<NotesIcon>([] { return new NotesIcon(QIcon()); });
    windows.define<OwnIcon>([&own] { return new OwnIcon(own); });
    windows.setWindowIcon(program);
    const NotesIcon* plain = windows.load<NotesIcon>();
    EXPECT_EQ(plain->iconWhenLoaded, program.cacheKey());
    EXPECT_EQ(plain->windowIcon().cacheKey(), program.cacheKey());
    const OwnIcon* itsOwn = windows.show<OwnIcon>();
    EXPECT_EQ(itsOwn->iconWhenLoaded, own.cacheKey());
    EXPECT_EQ(itsOwn->windowIcon().cacheKey(), own.cacheKey());
}

}  // namespace
}  // namespace tolvane
