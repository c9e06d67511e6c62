#include "platform/linux/web_process.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace tolvane {
namespace {

// Stands in for the web windows' program: logs each line it is sent and answers as the site
// host it is given says: "die" ends it unanswered, "idle-after" and "idle-first" make it say
// that it is idle after or before answering.
constexpr char kProgram[] = R"(#!/bin/sh
while IFS= read -r line; do
    echo "$line" >> "$WEB_LOG"
    set -- $line
    case "$3" in
        die) exit 1 ;;
        idle-first) echo idle; echo "shown $2" ;;
        idle-after) echo "shown $2"; echo idle ;;
        *) echo "shown $2" ;;
    esac
done
echo eof >> "$WEB_LOG"
)";

class WebProcessTest : public testing::Test {
protected:
    WebProcessTest() {
        const QString path = folder.filePath("tolvane-web");
        QFile program(path);
        program.open(QIODevice::WriteOnly);
        program.write(kProgram);
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("WEB_LOG", QFile::encodeName(log()));
        web = std::make_unique<WebProcess>(path, [this] { return host; });
    }

    QString log() const { return folder.filePath("log"); }
    QStringList logged() const {
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    bool waitForLog(qsizetype lines) {
        return QTest::qWaitFor([&] { return logged().size() >= lines; }, 5000);
    }

    QTemporaryDir folder;
    QString host = QStringLiteral("127.0.0.1:52731");
    std::unique_ptr<WebProcess> web;
};

TEST_F(WebProcessTest, RequestsMadeWhileTheProcessStartsAllReachOneProcess) {
    web->show(WebWindow::Curr);
    const qint64 process = web->processId();
    host.clear();
    web->show(WebWindow::Curr);
    ASSERT_TRUE(waitForLog(2));
    EXPECT_EQ(logged(), (QStringList{"show Curr 127.0.0.1:52731", "show Curr -"}));
    EXPECT_EQ(web->processId(), process);
}

TEST_F(WebProcessTest, AnIdleProcessIsLetGoAndTheNextRequestStartsAnother) {
    host = QStringLiteral("idle-after");
    web->show(WebWindow::Curr);
    // Let go: its input is closed, so it ends by itself.
    ASSERT_TRUE(waitForLog(2));
    EXPECT_EQ(logged().last(), "eof");
    EXPECT_EQ(web->processId(), 0);

    host = QStringLiteral("127.0.0.1:52731");
    web->show(WebWindow::Curr);
    EXPECT_NE(web->processId(), 0);
    ASSERT_TRUE(waitForLog(3));
    EXPECT_EQ(logged().last(), "show Curr 127.0.0.1:52731");
}

TEST_F(WebProcessTest, IdleIsIgnoredWhileARequestIsOnItsWay) {
    host = QStringLiteral("idle-first");
    web->show(WebWindow::Curr);
    const qint64 process = web->processId();
    ASSERT_TRUE(waitForLog(1));
    // The answer after the idle line has been read, and the process is still there.
    host = QStringLiteral("127.0.0.1:52731");
    web->show(WebWindow::Curr);
    ASSERT_TRUE(waitForLog(2));
    EXPECT_EQ(web->processId(), process);
    EXPECT_EQ(logged(), (QStringList{"show Curr idle-first", "show Curr 127.0.0.1:52731"}));
}

TEST_F(WebProcessTest, ARequestLostWithItsProcessIsSentOnceMoreToANewOne) {
    host = QStringLiteral("die");
    web->show(WebWindow::Curr);
    ASSERT_TRUE(waitForLog(2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return web->processId() == 0; }, 5000));
    // The second process died on it too: it is not tried a third time.
    EXPECT_EQ(logged(), (QStringList{"show Curr die", "show Curr die"}));
}

TEST_F(WebProcessTest, TheProcessEndsWithTheTrayProgram) {
    web->show(WebWindow::Tran);
    ASSERT_TRUE(waitForLog(1));
    web.reset();
    EXPECT_EQ(logged(), (QStringList{"show Tran 127.0.0.1:52731", "eof"}));
}

}  // namespace
}  // namespace tolvane
