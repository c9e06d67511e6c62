#include "translator/tran_window.h"

#include "testing/accessibility.h"
#include "testing/fake_web_platform.h"
#include "ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvane {
namespace {

const QString kQuery = QStringLiteral("http://site.test/cgi-bin/trans.cgi?layout=babylonhp.txt&word=");
const QString kAnswered = QStringLiteral("התרגום למילה הרצויה הגיע.");
const QString kFetching = QStringLiteral("מחובר, מביא את התרגום הרצוי, נא המתן...");
const QString kFailed = QStringLiteral(
    "לא היה ניתן להקים קשר עם השרת. בדוק את ההתחברות שלך לאינטרנט. אם בעיה זה נמשכת אנא פנה "
    "לאתר: http:\\\\site.test לעזרה נוספת.");

class TranWindowTest : public testing::Test {
protected:
    TranWindowTest() {
        windows.define<Tran>([this] { return new Tran(fakes.services()); });
        tran = windows.show<Tran>();
        view = fakes.views.made.back();
    }
    ~TranWindowTest() override {
        windows.unload<Tran>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void translate(const QString& word) {
        tran->Text1->setText(word);
        tran->Command1->click();
    }
    // A page arrives as the view reports it: its download, then its document.
    void arrives(const QString& markup) {
        view->loads(markup);
        emit view->DownloadComplete();
        emit view->DocumentComplete("http://site.test/x");
    }
    static void key(QWidget* target, int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
    }

    FakeWebPlatform fakes;
    WindowRegistry windows;
    Tran* tran = nullptr;
    FakeWebView* view = nullptr;
};

TEST_F(TranWindowTest, TheWordGoesIntoTheQueryExactlyAsTyped) {
    EXPECT_EQ(tran->Label2->text(), "נא רשום את המילה הרצויה לתרגום ולחץ תרגם.");
    translate("");
    translate("ice cream");
    translate("  כלב ");
    EXPECT_EQ(view->navigated, (QStringList{kQuery + "&lang=heb", kQuery + "ice cream&lang=heb",
                                            kQuery + "  כלב &lang=heb"}));
    EXPECT_EQ(tran->Label2->text(), "מתחבר לשרת, נא המתן...");
    // The panels cover everything of the page but the band below the word.
    EXPECT_GT(view->widget()->height(), tran->height());
}

TEST_F(TranWindowTest, TheStatusFollowsTheRequestToTheAnswerFramesIncluded) {
    translate("dog");
    view->loads("<HEAD><TITLE>dog</TITLE></HEAD><BODY>כלב</BODY>");
    emit view->DownloadComplete();
    EXPECT_EQ(tran->Label2->text(), kFetching);
    emit view->DocumentComplete("http://site.test/frame");
    emit view->DocumentComplete("http://site.test/x");
    EXPECT_EQ(tran->Label2->text(), kAnswered);
    // A link followed inside the answer goes through the same texts.
    emit view->DownloadComplete();
    EXPECT_EQ(tran->Label2->text(), kFetching);
    emit view->DocumentComplete("http://site.test/y");
    EXPECT_EQ(tran->Label2->text(), kAnswered);
    EXPECT_EQ(tran->errorShown(), 0);
}

TEST_F(TranWindowTest, AFailedLoadIsReportedOverABlankPageUntilTheNextTranslation) {
    translate("dog");
    arrives(kCannotFindServerPage.toString());
    EXPECT_EQ(tran->Label2->text(), kFailed);
    EXPECT_EQ(view->navigated.last(), "about:blank");
    EXPECT_EQ(tran->errorShown(), 1);
    // The blank page's own download and completion leave the message.
    arrives("<HEAD></HEAD><BODY></BODY>");
    EXPECT_EQ(tran->Label2->text(), kFailed);
    EXPECT_EQ(view->navigated.size(), 2);

    translate("dog");
    EXPECT_EQ(tran->errorShown(), 0);
    arrives("<HEAD><TITLE>dog</TITLE></HEAD><BODY>כלב</BODY>");
    EXPECT_EQ(tran->Label2->text(), kAnswered);

    // A page that cannot be read counts as empty: a failure too.
    translate("cat");
    view->markup = DocumentMarkup::unreadable(91, "none");
    emit view->DocumentComplete("http://site.test/x");
    EXPECT_EQ(tran->Label2->text(), kFailed);
}

TEST_F(TranWindowTest, EnterTranslatesEscapeClosesOnlyFromTheTopPanel) {
    tran->Text1->setText("dog");
    tran->Text1->setFocus();
    key(tran->Text1, Qt::Key_Return);
    EXPECT_EQ(view->navigated.size(), 1);
    key(tran->Text1, Qt::Key_Escape);
    EXPECT_FALSE(tran->isUnloaded());
    key(tran->Picture2, Qt::Key_Escape);
    EXPECT_TRUE(tran->isUnloaded());
}

TEST_F(TranWindowTest, FocusingTheWordSelectsItForTheNextOne) {
    tran->Text1->setText("dog");
    tran->Text1->deselect();
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(tran->Text1, &focus);
    EXPECT_EQ(tran->Text1->selectedText(), "dog");
}

// Accessibility

// The word box is named by its prompt, the page and the panel that takes Escape by what they
// are; the status line reads where the request stands.
TEST_F(TranWindowTest, AScreenReaderFindsEveryControlAndReadsTheStatusAsItChanges) {
    EXPECT_EQ(unnamedControls(tran), std::vector<std::string>());
    EXPECT_EQ(accessibleName(tran->Text1), "נא הקש מילה לתרגום:");
    EXPECT_EQ(accessibleName(view->widget()), "דף התרגום");
    EXPECT_FALSE(accessibleName(tran->Picture2).isEmpty());
    EXPECT_EQ(wrongRoles({{tran->Label1, QAccessible::StaticText},
                          {tran->Text1, QAccessible::EditableText},
                          {tran->Command1, QAccessible::Button},
                          {tran->Label2, QAccessible::StaticText}}),
              std::vector<std::string>());

    translate("hello");
    EXPECT_EQ(accessibleName(tran->Label2), "מתחבר לשרת, נא המתן...");
    arrives("<HEAD><TITLE>hello</TITLE></HEAD>");
    EXPECT_EQ(accessibleName(tran->Label2), kAnswered);

    EXPECT_EQ(tabWalk(tran, tran->Text1),
              controlNames({tran->Text1, tran->Command1, tran->Picture2}));
}

}  // namespace
}  // namespace tolvane
