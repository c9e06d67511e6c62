#include "settings/about_window.h"

#include "testing/accessibility.h"
#include "testing/fake_platform.h"
#include "ui/link_area.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace tolvane {
namespace {

class AboutWindowTest : public testing::Test {
protected:
    void SetUp() override {
        about = new About(fakes.services());
        about->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    }
    void TearDown() override { delete about.data(); }

    FakePlatform fakes;
    QPointer<About> about;
};

TEST_F(AboutWindowTest, TheAboutBoxOpensWithItsCloseButtonAndLinksAndNoTimer) {
    EXPECT_FALSE(about->Timer1->isActive());
    EXPECT_TRUE(about->Command1->isVisible());
    EXPECT_TRUE(about->Image1->isVisible());
    EXPECT_TRUE(about->Image2->isVisible());
    EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(AboutWindowTest, AsTheSplashItHasNoCloseButtonAndGoesByItselfAfterTwoSeconds) {
    QSignalSpy unloaded(about.data(), &Form::unloaded);
    QElapsedTimer shown;
    shown.start();
    about->showAsSplash();
    EXPECT_FALSE(about->Command1->isVisible());
    ASSERT_TRUE(unloaded.wait(10000));
    EXPECT_GE(shown.elapsed(), 1900);
}

TEST_F(AboutWindowTest, TheTimerAndTheCloseButtonBothUnloadIt) {
    QSignalSpy unloaded(about.data(), &Form::unloaded);
    about->Timer1_Timer();
    EXPECT_EQ(unloaded.count(), 1);

    About second(fakes.services());
    QSignalSpy closed(&second, &Form::unloaded);
    second.Command1->click();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(AboutWindowTest, EachLinkOpensItsPageOnceUntilTheWindowOpensAgain) {
    QTest::mouseClick(about->Image1, Qt::LeftButton);
    QTest::mouseClick(about->Image2, Qt::LeftButton);
    EXPECT_EQ(fakes.opener.opened,
              QStringList({"http:\\\\site.test", "http://site.test/cp/contact.html"}));
    EXPECT_FALSE(about->Image1->isVisible());
    EXPECT_FALSE(about->Image2->isVisible());

    // Hidden, the link area no longer takes the click at that spot.
    const QPoint spot = about->Image1->geometry().center();
    QTest::mouseClick(about, Qt::LeftButton, {}, spot);
    EXPECT_EQ(fakes.opener.opened.size(), 2);
}

TEST_F(AboutWindowTest, TheLeftButtonDragsTheWindowByItsBackground) {
    const QPoint start = about->pos();
    const QPoint grip(20, 20);
    ASSERT_EQ(about->childAt(grip), nullptr);
    about->Form_MouseDown(Qt::LeftButton, grip);
    about->Form_MouseMove(Qt::LeftButton, grip + QPoint(30, -10));
    EXPECT_EQ(about->pos(), start + QPoint(30, -10));

    // No button, or any other button, moves nothing.
    about->Form_MouseMove(Qt::NoButton, grip + QPoint(50, 50));
    about->Form_MouseMove(Qt::RightButton, grip + QPoint(50, 50));
    about->Form_MouseMove(Qt::LeftButton | Qt::RightButton, grip + QPoint(50, 50));
    EXPECT_EQ(about->pos(), start + QPoint(30, -10));
}

TEST_F(AboutWindowTest, APressOnTheLabelOrWithTheRightButtonStartsNoDrag) {
    const QPoint grip(20, 20);
    about->Form_MouseDown(Qt::LeftButton, grip);
    // A right press does not move the grip point...
    QTest::mousePress(about, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseRelease(about, Qt::RightButton, {}, QPoint(100, 100));
    // ...and neither does a left press that the version label passes on.
    QTest::mousePress(about->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(about->Label1, Qt::LeftButton, {}, QPoint(5, 5));

    const QPoint start = about->pos();
    about->Form_MouseMove(Qt::LeftButton, grip + QPoint(7, 3));
    EXPECT_EQ(about->pos(), start + QPoint(7, 3));
}

// Accessibility

// The links are links named as the picture reads over them; Tab goes right to left and top
// down, and the window opens on its close button so that Enter closes it.
TEST_F(AboutWindowTest, AScreenReaderFindsTheLinksAndTheKeyboardReachesAndFollowsThem) {
    EXPECT_EQ(unnamedControls(about), std::vector<std::string>());
    EXPECT_EQ(wrongRoles({{about->Label1, QAccessible::StaticText},
                          {about->Command1, QAccessible::Button},
                          {about->Image1, QAccessible::Link},
                          {about->Image2, QAccessible::Link}}),
              std::vector<std::string>());
    EXPECT_EQ(accessibleName(about->Image2), "צרו איתנו קשר");
    EXPECT_EQ(accessibleDescription(about->Image2), fakes.services().site.contactPage());
    EXPECT_EQ(accessibleDescription(about->Image1), fakes.services().site.homePage());

    about->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    EXPECT_EQ(QApplication::focusWidget(), about->Command1);
    EXPECT_EQ(tabWalk(about, about->Image2),
              controlNames({about->Image2, about->Command1, about->Image1}));

    // Followed from the keyboard and by a screen reader, each opens its page once and goes.
    about->Image2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(about->Image2, Qt::Key_Return);
    ASSERT_TRUE(doAccessibleAction(about->Image1, QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(fakes.opener.opened,
              QStringList({fakes.services().site.contactPage(), fakes.services().site.homePage()}));
    EXPECT_FALSE(about->Image1->isVisible());
    EXPECT_FALSE(about->Image2->isVisible());
}

// Keys typed while the splash comes up follow no link: it has nothing to take the focus.
TEST_F(AboutWindowTest, TheSplashTakesNoKeys) {
    about->showAsSplash();
    for (const QWidget* control : about->findChildren<QWidget*>()) {
        EXPECT_FALSE(control->isVisible() && control->focusPolicy() != Qt::NoFocus)
            << controlName(control);
    }
}

}  // namespace
}  // namespace tolvane
