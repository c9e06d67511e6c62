#include "currency/curr_window.h"

#include "testing/accessibility.h"
#include "testing/fake_web_platform.h"
#include "ui/progress_strip.h"
#include "ui/simple_combo.h"
#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace tolvane {
namespace {

const QString kHome = QStringLiteral("http:\\\\site.test");
const QString kAnswer =
    QStringLiteral("<HEAD><TITLE>Rate</TITLE></HEAD><BODY><P><BIG>250 GBP = 286.43 EUR (ECB "
                   "reference rate of 2026-02-20)</BIG></BODY>");

class CurrWindowTest : public testing::Test {
protected:
    CurrWindowTest() {
        windows.define<Curr>([this] { return new Curr(fakes.services()); });
        curr = windows.show<Curr>();
        view = fakes.views.made.back();
    }
    ~CurrWindowTest() override {
        windows.unload<Curr>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString page() const {
        return QString::fromUtf8(fakes.files.files.at(kRequestPageName.toString()));
    }
    bool statusReadsLeftToRight() const {
        return curr->Status->layoutDirection() == Qt::LeftToRight &&
               (curr->Status->alignment() & Qt::AlignLeft);
    }
    // The view's events for one request page and its answer, as a real load raises them.
    void answer(const QString& markup) {
        for (int progress : {0, 70, 100})
            emit view->ProgressChange(progress, 100);
        emit view->DocumentComplete("file:///run/user/1000/tolvane/Currencies.htm");
        view->loads(markup);
        for (int progress : {0, 100})
            emit view->ProgressChange(progress, 100);
        emit view->DocumentComplete("http://site.test/converter/classic");
    }

    FakeWebPlatform fakes;
    WindowRegistry windows;
    Curr* curr = nullptr;
    FakeWebView* view = nullptr;
};

TEST_F(CurrWindowTest, OpensReadyForDollarsIntoShekels) {
    EXPECT_EQ(curr->Combo1->currentRow(), 0);
    EXPECT_EQ(curr->Combo1->text(), "US Dollar");
    EXPECT_EQ(curr->Combo2->currentRow(), 76);
    EXPECT_EQ(curr->Text2->text(), "1");
    EXPECT_EQ(curr->Label2->text(), "0%");
    EXPECT_EQ(curr->requestStage(), 0);
    // Only the converter's view may let a local page post to the network.
    EXPECT_TRUE(view->options.localPagesMayPost);
    EXPECT_FALSE(view->widget()->isVisible());
    EXPECT_EQ(curr->Status->text(),
              "נא בחר מאיזה מטבע לאיזה מטבע ברצונך להמיר ואז לחץ על הכפתור בצע.");
}

TEST_F(CurrWindowTest, TwoRequestsInARowEachGoThroughBothStagesToTheResult) {
    curr->Text2->setText("250");
    curr->Combo1->setCurrentRow(23);
    curr->Combo2->setCurrentRow(1);
    curr->Command1_Click();
    EXPECT_EQ(curr->Status->text(), "מכין תקשורת, נא המתן...");
    EXPECT_EQ(fakes.program.eventRounds, 2);  // one at load, one before navigating
    EXPECT_EQ(view->navigated, QStringList{"/run/user/1000/tolvane/Currencies.htm"});
    EXPECT_TRUE(page().contains("value=250>\r\n    <input name=exch type=hidden value=GBP>\r\n"
                                "    <input name=expr type=hidden value=EUR>\r\n</body>\r\n"
                                "</html>\r\n"));
    EXPECT_EQ(curr->requestStage(), 1);

    emit view->DocumentComplete("file:///run/user/1000/tolvane/Currencies.htm");
    EXPECT_EQ(curr->Status->text(), "מאתר את השער העדכני של המטבע הרצוי, נא המתן...");
    EXPECT_EQ(curr->requestStage(), 2);
    view->loads(kAnswer);
    fakes.program.onProcessEvents = [this] {
        EXPECT_EQ(curr->Status->text(), "נתונים התקבלו, נא המתן בזמן עיבודם...");
    };
    emit view->DocumentComplete("http://site.test/converter/classic");
    fakes.program.onProcessEvents = nullptr;
    EXPECT_EQ(curr->Status->text(), "250 GBP = 286.43 EUR (ECB reference rate of 2026-02-20)");
    EXPECT_TRUE(statusReadsLeftToRight());
    // A further completed document of the same request reads the answer again.
    view->loads("<BODY>nothing</BODY>");
    emit view->DocumentComplete("http://site.test/frame");
    EXPECT_TRUE(curr->Status->text().startsWith("תקלה מ''ס 10101"));

    // The second request starts from the template, not from the first page, and from stage 1.
    curr->Text2->setText("1");
    curr->Combo1->setCurrentRow(0);
    curr->Command1_Click();
    EXPECT_FALSE(statusReadsLeftToRight());
    EXPECT_EQ(curr->requestStage(), 1);
    EXPECT_TRUE(page().contains("value=1>\r\n    <input name=exch type=hidden value=USD>\r\n"
                                "    <input name=expr type=hidden value=EUR>"));
    answer("");
    EXPECT_TRUE(curr->Status->text().startsWith("לא היה ניתן להקים קשר עם השרת."));
    EXPECT_TRUE(curr->Status->text().endsWith(kHome + " לעזרה נוספת."));
    EXPECT_FALSE(statusReadsLeftToRight());
}

TEST_F(CurrWindowTest, TheFirstFourProgressEventsOfEachRequestShowAnEmptyBar) {
    curr->Command1_Click();
    for (int i = 0; i < 4; ++i) {
        emit view->ProgressChange(80, 100);
        EXPECT_EQ(curr->Label2->text(), "0%");
    }
    EXPECT_EQ(curr->Shape1->width(), 0);
    emit view->ProgressChange(50, 200);
    EXPECT_EQ(curr->Label2->text(), "25%");
    EXPECT_EQ(curr->Shape1->width(), 97);  // 1458.75 twips
    // Nothing or less, and a maximum of 0, leave the display as it was.
    emit view->ProgressChange(-1, 100);
    emit view->ProgressChange(0, 100);
    emit view->ProgressChange(5, 0);
    EXPECT_EQ(curr->Label2->text(), "25%");
    EXPECT_EQ(curr->Shape1->width(), 97);

    curr->Command1_Click();
    EXPECT_EQ(curr->Label2->text(), "0%");
    emit view->ProgressChange(50, 100);
    EXPECT_EQ(curr->Label2->text(), "0%");
}

TEST_F(CurrWindowTest, AClickInMidRequestStartsOverAndTheOldAnswerIsNotShown) {
    curr->Command1_Click();
    emit view->DocumentComplete("file:///Currencies.htm");
    view->loads(kAnswer);
    // The user presses again while the answer is being read.
    fakes.program.onProcessEvents = [this] {
        fakes.program.onProcessEvents = nullptr;
        curr->Command1_Click();
    };
    emit view->DocumentComplete("http://site.test/converter/classic");
    EXPECT_EQ(curr->requestStage(), 1);
    EXPECT_EQ(curr->Status->text(), "מכין תקשורת, נא המתן...");
    EXPECT_EQ(view->navigated.size(), 2);
}

TEST_F(CurrWindowTest, WithoutACurrencyOnBothSidesNothingIsSent) {
    curr->Command1_Click();
    view->loads(kAnswer);
    emit view->DocumentComplete("file:///Currencies.htm");
    emit view->DocumentComplete("http://site.test/converter/classic");
    ASSERT_TRUE(statusReadsLeftToRight());
    const int writes = fakes.files.writes;

    curr->Combo2->edit()->setText("Shekel");
    emit curr->Combo2->edit()->textEdited("Shekel");
    EXPECT_EQ(curr->Combo2->currentRow(), -1);
    curr->Command1_Click();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "נא בחר גם מאיזה מטבע וגם לאיזה מטבע ברצונך להמיר");
    EXPECT_EQ(fakes.messages.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(fakes.messages.shown[0].title, "Tolvane");
    EXPECT_EQ(fakes.files.writes, writes);
    EXPECT_EQ(view->navigated.size(), 1);
    // The old result stays, but reads right to left again.
    EXPECT_EQ(curr->Status->text(), "250 GBP = 286.43 EUR (ECB reference rate of 2026-02-20)");
    EXPECT_FALSE(statusReadsLeftToRight());

    // Typed in full, a name chooses its row again.
    curr->Combo2->edit()->setText("euro");
    emit curr->Combo2->edit()->textEdited("euro");
    EXPECT_EQ(curr->Combo2->currentRow(), 1);
}

TEST_F(CurrWindowTest, ThePageIsDeletedFiveSecondsLaterUntilThatSucceeds) {
    curr->Command1_Click();
    EXPECT_TRUE(curr->Timer1->isActive());
    EXPECT_EQ(curr->Timer1->interval(), 5000);
    fakes.files.removeLocked = true;
    curr->Timer1_Timer();
    EXPECT_TRUE(curr->Timer1->isActive());
    fakes.files.removeLocked = false;
    curr->Timer1_Timer();
    EXPECT_FALSE(curr->Timer1->isActive());
    EXPECT_TRUE(fakes.files.files.empty());

    // Gone already: tried again every five seconds until the window closes.
    curr->Command1_Click();
    fakes.files.files.clear();
    curr->Timer1_Timer();
    curr->Timer1_Timer();
    EXPECT_TRUE(curr->Timer1->isActive());
    EXPECT_EQ(fakes.files.removals, 4);
}

TEST_F(CurrWindowTest, APageThatCannotBeWrittenIsReportedAndNothingIsSent) {
    fakes.files.writeError = 13;
    curr->Command1_Click();
    EXPECT_TRUE(view->navigated.isEmpty());
    EXPECT_EQ(curr->requestStage(), 0);
    EXPECT_EQ(curr->Status->text(),
              "תקלה מ''ס 13, Permission denied, אם תקלה זה נמשכת אנא פנה לאתר:\r\n" + kHome);
}

TEST_F(CurrWindowTest, EscapeClosesTheWindowFromAnyControl) {
    curr->Text2->setFocus();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(curr->Text2, &escape);
    EXPECT_TRUE(curr->isUnloaded());
    EXPECT_EQ(windows.find<Curr>(), nullptr);
}

// Accessibility

// The amount, the two lists and the button read right to left along the top row, then down to
// the button; the status line reads the latest answer, and the strip is a progress bar.
TEST_F(CurrWindowTest, AScreenReaderFindsEveryControlAndReadsTheStatusLineAsItChanges) {
    EXPECT_EQ(unnamedControls(curr), std::vector<std::string>());
    EXPECT_EQ(accessibleName(curr->Text2), "סכום");
    EXPECT_EQ(accessibleName(curr->Combo1), "ממטבע");
    EXPECT_EQ(accessibleName(curr->Combo2->edit()), "למטבע");
    EXPECT_EQ(accessibleName(curr->Combo2->list()), "המטבעות להמרה אליהם");
    EXPECT_EQ(accessibleText(curr->Combo1), "US Dollar");
    EXPECT_EQ(accessibleName(curr->Command1), "בצע");
    EXPECT_EQ(wrongRoles({{curr->Label1, QAccessible::StaticText},
                          {curr->Text2, QAccessible::EditableText},
                          {curr->Combo1, QAccessible::ComboBox},
                          {curr->Combo2, QAccessible::ComboBox},
                          {curr->Combo1->list(), QAccessible::List},
                          {curr->Command1, QAccessible::Button},
                          {curr->Status, QAccessible::StaticText},
                          {curr->Picture2, QAccessible::ProgressBar},
                          {curr->Label2, QAccessible::StaticText}}),
              std::vector<std::string>());

    curr->Text2->setText("250");
    curr->Combo1->setCurrentRow(23);
    curr->Combo2->setCurrentRow(1);
    curr->Command1->click();
    EXPECT_EQ(accessibleName(curr->Status), "מכין תקשורת, נא המתן...");
    answer(kAnswer);
    EXPECT_EQ(accessibleName(curr->Status),
              "250 GBP = 286.43 EUR (ECB reference rate of 2026-02-20)");
    EXPECT_EQ(accessibleName(curr->Label2), "100%");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(curr->Picture2)
                  ->valueInterface()
                  ->currentValue()
                  .toInt(),
              100);

    EXPECT_EQ(tabWalk(curr, curr->Text2),
              controlNames({curr->Text2, curr->Combo1->edit(), curr->Combo2->edit(),
                            curr->Command1}));
}

}  // namespace
}  // namespace tolvane
