#include "core/web_messages.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(WebMessagesTest, EveryMessageReadsBackAsItWasWritten) {
    const WebMessage messages[] = {
        {WebMessage::Kind::Show, WebWindow::Curr, QStringLiteral("127.0.0.1:52731")},
        {WebMessage::Kind::Show, WebWindow::WebBrowser, QString()},
        {WebMessage::Kind::Shown, WebWindow::Tran, QString()},
        {},
    };
    for (const WebMessage& message : messages) {
        QByteArray line = message.line();
        ASSERT_TRUE(line.endsWith('\n'));
        line.chop(1);
        EXPECT_EQ(WebMessage::parse(line), message) << line.constData();
    }
    EXPECT_EQ(WebMessage{}.line(), "idle\n");
}

TEST(WebMessagesTest, AHostThatCouldSplitTheLineIsNotSent) {
    const WebMessage message{WebMessage::Kind::Show, WebWindow::Curr, QStringLiteral("a b\nshow")};
    EXPECT_EQ(message.line(), "show Curr -\n");
}

TEST(WebMessagesTest, LinesThatAreNoMessageAreRefused) {
    for (const char* line : {"", "show", "show Calc -", "show Curr", "shown Curr extra", "idle now",
                             "SHOW Curr -", "show Curr  -"})
        EXPECT_FALSE(WebMessage::parse(line)) << line;
}

TEST(WebMessagesTest, LinesArriveWholeHoweverThePipeCutsThem) {
    LineReader reader;
    EXPECT_TRUE(reader.feed("show Cu").isEmpty());
    EXPECT_EQ(reader.feed("rr -\nidle\nshown"), (QList<QByteArray>{"show Curr -", "idle"}));
    EXPECT_EQ(reader.feed(" Tran\n"), QList<QByteArray>{"shown Tran"});
}

}  // namespace
}  // namespace tolvane
