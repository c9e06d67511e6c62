#include "browser/web_browser_window.h"

#include "browser/browser_layout.h"
#include "testing/accessibility.h"
#include "testing/fake_web_platform.h"
#include "ui/twips.h"
#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace tolvane {
namespace {

class WebBrowserWindowTest : public testing::Test {
protected:
    WebBrowserWindowTest() {
        windows.define<WebBrowser>([this] { return new WebBrowser(fakes.services()); });
    }
    ~WebBrowserWindowTest() override {
        windows.unload<WebBrowser>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    WebBrowser* open() {
        browser = windows.show<WebBrowser>();
        return browser;
    }
    FakeWebView* slot(int index) const {
        return static_cast<FakeWebView*>(browser->WebBrowser1.at(index));
    }
    static void enter(QWidget* target) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
    }

    FakeWebPlatform fakes;
    WindowRegistry windows;
    WebBrowser* browser = nullptr;
};

TEST_F(WebBrowserWindowTest, OpensOnTheHomePageFiftyMillisecondsLater) {
    open();
    EXPECT_EQ(browser->windowTitle(), "דפדפן - חלון מ\"ס: 1.");
    EXPECT_EQ(browser->Text1->text(), "http:\\\\site.test");
    EXPECT_EQ(slot(0)->Tag, "http:\\\\site.test");
    for (int i = 1; i < kSlotCount; ++i) {
        EXPECT_EQ(slot(i)->Tag, "");
        EXPECT_EQ(browser->Status[i]->text(), "Ready.");
        EXPECT_FALSE(slot(i)->widget()->isVisibleTo(browser));
    }
    EXPECT_TRUE(browser->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(slot(0)->navigated.isEmpty());
    EXPECT_EQ(browser->Timer1->interval(), 50);

    browser->Timer1_Timer();
    EXPECT_EQ(slot(0)->navigated, QStringList{"http:\\\\site.test"});
    EXPECT_FALSE(browser->Timer1->isActive());
    EXPECT_EQ(browser->Text1->selectedText(), "http:\\\\site.test");
    // Every slot's home is the maker's home page, unless the user has set another.
    EXPECT_EQ(slot(3)->options.homePage, "http:\\\\site.test");
    EXPECT_FALSE(slot(3)->options.localPagesMayPost);
}

TEST_F(WebBrowserWindowTest, SlotsKeepTheirOwnPageStatusAndAddress) {
    open();
    browser->Timer1_Timer();
    emit slot(1)->StatusTextChange("loading in the background");
    browser->Command7[2]->click();
    EXPECT_EQ(browser->CurrentSlot, 2);
    EXPECT_EQ(browser->windowTitle(), "דפדפן - חלון מ''ס: 3.");
    EXPECT_EQ(browser->Text1->text(), "");
    EXPECT_TRUE(slot(2)->widget()->isVisibleTo(browser));
    EXPECT_FALSE(slot(0)->widget()->isVisibleTo(browser));
    EXPECT_TRUE(browser->Status[2]->isVisibleTo(browser));
    EXPECT_EQ(browser->Status[2]->text(), "Ready.");

    browser->Text1->setText("www.example.co.il");
    browser->Command5->click();
    EXPECT_EQ(slot(2)->navigated, QStringList{"www.example.co.il"});
    browser->Text1->setText("typed, not sent");
    browser->Command7[1]->click();
    EXPECT_EQ(browser->Status[1]->text(), "loading in the background");
    browser->Command7[2]->click();
    EXPECT_EQ(browser->Text1->text(), "www.example.co.il");
    browser->Command7[0]->click();
    EXPECT_EQ(browser->Text1->text(), "http:\\\\site.test");
    EXPECT_EQ(browser->windowTitle(), "דפדפן - חלון מ''ס: 1.");
}

TEST_F(WebBrowserWindowTest, EnterIsGoOnlyWhileTheAddressBoxHasTheFocus) {
    open();
    browser->activateWindow();
    browser->Text1->setFocus();
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(browser->Text1, &in);
    EXPECT_TRUE(browser->Command5->isDefault());
    browser->Text1->setText("a.example");
    enter(browser->Text1);
    EXPECT_EQ(slot(0)->navigated, QStringList{"a.example"});

    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(browser->Text1, &out);
    EXPECT_FALSE(browser->Command5->isDefault());
    enter(browser->Command7[3]);
    EXPECT_EQ(slot(0)->navigated.size(), 1);
}

TEST_F(WebBrowserWindowTest, BackAndForwardSayWhenThereIsNoPage) {
    open();
    browser->Command1->click();
    browser->Command2->click();
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, "לא יכול ללכת אחורה");
    EXPECT_EQ(fakes.messages.shown[1].text, "לא יכול ללכת קדימה");
    EXPECT_EQ(fakes.messages.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageBoxes::Buttons::Ok);
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");

    slot(0)->canGoBack = true;
    browser->Command1->click();
    browser->Command3->click();
    browser->Command4->click();
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ((std::tuple{slot(0)->backs, slot(0)->stops, slot(0)->homes}), (std::tuple{2, 1, 1}));
}

TEST_F(WebBrowserWindowTest, TheLayoutFollowsTheWindowDownToItsSmallestSize) {
    const BrowserLayout design = browserLayout(4800 + kFrameWidthTwips, 3855 + kFrameHeightTwips);
    EXPECT_EQ((std::tuple{design.goLeft, design.pageWidth, design.pageHeight, design.slotButtonsTop}),
              (std::tuple{4320, 4815, 2535, 3390}));
    const BrowserLayout tiny = browserLayout(100, 100);
    EXPECT_EQ((std::tuple{tiny.width, tiny.height}), (std::tuple{4920, 4005}));

    open();
    browser->setWindowState(Qt::WindowNoState);
    browser->resize(twipsSize(9000, 6000));
    EXPECT_EQ(slot(4)->widget()->geometry(), twipsRect(0, 840, 9015, 6000 + 405 - 1725));
    EXPECT_EQ(browser->Command7[4]->geometry(), twipsRect(3840, 6000 + 405 - 870, 975, 255));
    browser->setMinimumSize(0, 0);
    browser->resize(50, 50);
    EXPECT_EQ(browser->size(), twipsSize(4800, 3600));
}

TEST_F(WebBrowserWindowTest, ClosingStopsEverySlotAndForgetsTheirAddresses) {
    open();
    browser->Command7[1]->click();
    browser->Text1->setText("b.example");
    browser->Command5->click();
    FakeWebView* first = slot(0);
    browser->close();
    EXPECT_EQ(first->stops, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    open();
    browser->Command7[1]->click();
    EXPECT_EQ(browser->Text1->text(), "");
    EXPECT_EQ(browser->CurrentSlot, 1);
}

TEST_F(WebBrowserWindowTest, TheUsersOwnHomePageIsKept) {
    fakes.registry.savestring(RegistryRoot::LocalMachine,
                              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "TNHomePage",
                              "https://example.org/");
    open();
    EXPECT_EQ(slot(0)->options.homePage, "https://example.org/");
    EXPECT_EQ(slot(4)->options.homePage, "https://example.org/");
    // The address box still opens on the maker's home page.
    EXPECT_EQ(browser->Text1->text(), "http:\\\\site.test");
}

// Accessibility

// Tab takes the buttons in the window's own order (back, forward, home, stop), the address
// and Go, then the slot buttons by their numbers; each slot's page and status line are named.
TEST_F(WebBrowserWindowTest, AScreenReaderFindsEveryControlAndTabTakesTheGivenOrder) {
    open();
    EXPECT_EQ(unnamedControls(browser), std::vector<std::string>());
    EXPECT_EQ(accessibleName(browser->Command1), "אחורה");
    EXPECT_EQ(accessibleName(browser->Command4), "לדף הבית");
    EXPECT_EQ(accessibleName(browser->Text1), "כתובת");
    EXPECT_EQ(accessibleName(browser->Command7[2]), "חלון 3");
    EXPECT_EQ(accessibleName(slot(3)->widget()), "הדף בחלון 4");
    EXPECT_EQ(wrongRoles({{browser->Command1, QAccessible::Button},
                          {browser->Command3, QAccessible::Button},
                          {browser->Text1, QAccessible::EditableText},
                          {browser->Command5, QAccessible::Button},
                          {browser->Command7[4], QAccessible::Button},
                          {browser->Status[0], QAccessible::StaticText}}),
              std::vector<std::string>());

    EXPECT_EQ(accessibleName(browser->Status[0]), "Ready.");
    emit slot(0)->StatusTextChange(QStringLiteral("Loading http://site.test/"));
    EXPECT_EQ(accessibleName(browser->Status[0]), "Loading http://site.test/");

    EXPECT_EQ(tabWalk(browser, browser->Command1),
              controlNames({browser->Command1, browser->Command2, browser->Command4,
                            browser->Command3, browser->Text1, browser->Command5,
                            browser->Command7[0], browser->Command7[1], browser->Command7[2],
                            browser->Command7[3], browser->Command7[4]}));
}

}  // namespace
}  // namespace tolvane
