#include "window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace tolvane {
namespace {

class Plain : public Form {
public:
    Plain() : Form("Plain") { ++made; }
    static inline int made = 0;
};

class Sticky : public Form {
public:
    Sticky() : Form("Sticky") {}

protected:
    void Form_Unload(bool& cancel) override {
        hide();
        cancel = true;
    }
};

class GivesUpWhileLoading : public Form {
public:
    GivesUpWhileLoading() : Form("GivesUp") { close(); }
};

// Its load handler waits in a message box, where the user asks for the same window again.
class AskedForAgainWhileLoading : public Form {
public:
    explicit AskedForAgainWhileLoading(WindowRegistry& windows) : Form("Again") {
        ++made;
        again = windows.show<AskedForAgainWhileLoading>();
    }
    static inline int made = 0;
    static inline AskedForAgainWhileLoading* again = nullptr;
};

void destroyClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(WindowRegistry, AWindowExistsOnceUntilItIsClosed) {
    WindowRegistry windows;
    windows.define<Plain>([] { return new Plain; });
    Plain::made = 0;

    EXPECT_EQ(windows.find<Plain>(), nullptr);
    Plain* loaded = windows.load<Plain>();
    EXPECT_FALSE(loaded->isVisible());
    EXPECT_EQ(windows.show<Plain>(), loaded);
    EXPECT_TRUE(loaded->isVisible());
    EXPECT_EQ(windows.show<Plain>(), loaded);
    EXPECT_EQ(Plain::made, 1);

    QPointer<Plain> closed = loaded;
    loaded->close();
    // Gone for the registry at once, though Qt destroys it a moment later.
    EXPECT_EQ(windows.find<Plain>(), nullptr);
    Plain* fresh = windows.show<Plain>();
    EXPECT_NE(fresh, loaded);
    EXPECT_EQ(Plain::made, 2);
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

TEST(WindowRegistry, AWindowAskedForWhileItLoadsIsMadeOnce) {
    WindowRegistry windows;
    windows.define<AskedForAgainWhileLoading>(
        [&windows] { return new AskedForAgainWhileLoading(windows); });
    AskedForAgainWhileLoading* window = windows.show<AskedForAgainWhileLoading>();
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(AskedForAgainWhileLoading::again, nullptr);
    EXPECT_EQ(AskedForAgainWhileLoading::made, 1);
    EXPECT_EQ(windows.show<AskedForAgainWhileLoading>(), window);
}

TEST(WindowRegistry, AnUndefinedWindowIsNeverMade) {
    WindowRegistry windows;
    EXPECT_EQ(windows.show<Plain>(), nullptr);
}

}  // namespace
}  // namespace tolvane
