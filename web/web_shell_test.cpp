#include "web/web_shell.h"

#include "ui/form.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace tolvane {
namespace {

class WebShellTest : public testing::Test {
protected:
    WebShellTest()
        : shell(
              [this](WebWindow window, const QString& host) -> Form* {
                  asked.emplace_back(window, host);
                  if (!window_) {
                      window_ = new Form(QStringLiteral("Curr"));
                      window_->show();
                  }
                  return window_;
              },
              [this](const QByteArray& line) { replies.append(line); },
              std::chrono::milliseconds(50)) {}
    ~WebShellTest() override { delete window_.data(); }

    void closeWindow() {
        window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QPointer<Form> window_;
    std::vector<std::pair<WebWindow, QString>> asked;
    QList<QByteArray> replies;
    WebShell shell;
};

TEST_F(WebShellTest, EachRequestIsShownAndAnsweredHoweverItArrives) {
    shell.received("show Curr 127.0.0.1:5");
    EXPECT_TRUE(asked.empty());
    shell.received("2731\nshow Tran -\nnonsense\n");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(WebWindow::Curr, QStringLiteral("127.0.0.1:52731")));
    EXPECT_EQ(asked[1], std::make_pair(WebWindow::Tran, QString()));
    EXPECT_EQ(replies, (QList<QByteArray>{"shown Curr\n", "shown Tran\n"}));
}

TEST_F(WebShellTest, SaysItIsIdleOnlyOnceNoWindowHasBeenOpenForAWhile) {
    shell.received("show Curr -\n");
    // Open, it is never idle.
    QTest::qWait(120);
    EXPECT_FALSE(replies.contains("idle\n"));
    closeWindow();
    EXPECT_TRUE(QTest::qWaitFor([this] { return replies.contains("idle\n"); }, 2000));

    // A window shown again before the time is up puts the idle time off.
    replies.clear();
    shell.received("show Curr -\n");
    closeWindow();
    shell.received("show Curr -\n");
    QTest::qWait(120);
    EXPECT_FALSE(replies.contains("idle\n"));
}

TEST_F(WebShellTest, AWindowDestroyedWithoutACloseCountsAsGone) {
    shell.received("show Curr -\n");
    delete window_.data();
    EXPECT_TRUE(QTest::qWaitFor([this] { return replies.contains("idle\n"); }, 2000));
}

TEST_F(WebShellTest, EndsWhenTheTrayProgramStopsTalking) {
    QSignalSpy ended(&shell, &WebShell::ended);
    shell.inputEnded();
    EXPECT_EQ(ended.size(), 1);
}

}  // namespace
}  // namespace tolvane
