#include "platform/linux/webengine/web_engine_view.h"
#include "platform/linux/webengine/web_engine_views.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWidget>

#include <csignal>
#include <memory>

namespace tolvane {
namespace {

// A loopback web server with a few fixed pages; /hang never answers.
class TestServer : public QObject {
public:
    TestServer() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
        server_.listen(QHostAddress::LocalHost);
    }

    QString address(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

    QByteArray posted;

private:
    void serve(QTcpSocket* socket) {
        QByteArray& request = requests_[socket];
        request += socket->readAll();
        const qsizetype headEnd = request.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        const QByteArray path = words.value(1);
        if (words.value(0) == "POST") {
            const qsizetype field = request.indexOf("Content-Length: ") + 16;
            const qsizetype length = request.mid(field, request.indexOf("\r\n", field) - field).toInt();
            if (request.size() < headEnd + 4 + length)
                return;
            posted = request.mid(headEnd + 4, length);
        }
        if (path == "/hang")
            return;
        QByteArray status = "200 OK";
        QByteArray body;
        if (words.value(0) == "POST") {
            body = "<html><head><title>Answer</title></head><body>"
                   "<p class=\"r\"><big>250 GBP = 286.43 EUR</big></p>a &lt; b</body></html>";
        } else if (path == "/frames") {
            body = "<html><body><iframe src=\"/a\"></iframe><iframe src=\"/b\"></iframe></body></html>";
        } else if (path == "/report.txt") {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                          "Content-Disposition: attachment; filename=report.txt\r\n"
                          "Content-Length: 6\r\nConnection: close\r\n\r\nsaved\n");
            socket->disconnectFromHost();
            return;
        } else if (path == "/500") {
            status = "500 Internal Server Error";
            body = "<html><body>broken</body></html>";
        } else {
            body = "<html><head><title>" + path + "</title></head><body>" + path + "</body></html>";
        }
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> requests_;
};

// Answers every question the same way and keeps what it was asked.
class AnsweringMessages : public MessageBoxes {
public:
    Answer show(const QString& text, Buttons, Icon, const QString&) override {
        asked.append(text);
        return answer;
    }
    QStringList asked;
    Answer answer = Answer::Yes;
};

// Runs the event loop, which the engine needs, until the condition holds or 20 s have passed.
bool waitUntil(const std::function<bool()>& condition) {
    QEventLoop loop;
    QTimer poll;
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(20);
    if (!condition())
        loop.exec();
    return condition();
}

class WebEngineViewTest : public testing::Test {
protected:
    std::unique_ptr<WebEngineView> makeView(const WebViewOptions& options = {},
                                            std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        auto view = std::make_unique<WebEngineView>(&window, QWebEngineProfile::defaultProfile(),
                                                    options, timeout);
        view->widget()->resize(400, 300);
        return view;
    }

    // Waits for the given number of completed documents; their addresses.
    static QStringList completions(WebEngineView& view, int count,
                                   const std::function<void()>& start) {
        QSignalSpy completed(&view, &WebView::DocumentComplete);
        start();
        while (completed.size() < count && completed.wait(20000)) {
        }
        QStringList addresses;
        for (const QList<QVariant>& arguments : completed)
            addresses.append(arguments.at(0).toString());
        return addresses;
    }

    QWidget window;
    TestServer server;
};

TEST_F(WebEngineViewTest, TheSelfPostingPageCompletesItselfThenItsAnswerInUpperCase) {
    QTemporaryDir folder;
    const QString path = folder.filePath("Currencies.htm");
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body onLoad=\"javascript:document.f.submit()\">\r\n<form name=f action=" +
               server.address("/converter/classic").toUtf8() +
               " enctype=x-www-form-encoded method=post>\r\n"
               "<input name=value type=hidden value=\"1 onfocus=x\">\r\n"
               "<input name=exch type=hidden value=GBP>\r\n</body></html>\r\n");
    page.close();

    // Hidden, as the converter keeps it.
    std::unique_ptr<WebEngineView> view = makeView({.localPagesMayPost = true, .homePage = {}});
    view->widget()->hide();
    QSignalSpy progress(view.get(), &WebView::ProgressChange);
    QSignalSpy downloads(view.get(), &WebView::DownloadComplete);
    const QStringList completed = completions(*view, 2, [&] { view->Navigate(path); });
    ASSERT_EQ(completed.size(), 2);
    EXPECT_EQ(completed[0], QUrl::fromLocalFile(path).toString());
    EXPECT_EQ(completed[1], server.address("/converter/classic"));
    EXPECT_EQ(server.posted, "value=1+onfocus%3Dx&exch=GBP");
    EXPECT_EQ(view->documentMarkup().text,
              "<HEAD><TITLE>Answer</TITLE></HEAD><BODY><P class=\"r\"><BIG>250 GBP = 286.43 "
              "EUR</BIG></P>a &lt; b</BODY>");
    EXPECT_TRUE(view->documentMarkup().read);
    EXPECT_GE(downloads.size(), 2);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_EQ(progress.last().at(1).toInt(), 100);
}

TEST_F(WebEngineViewTest, OnlyAViewThatAllowsItLetsALocalPagePost) {
    EXPECT_FALSE(makeView()->page()->settings()->testAttribute(
        QWebEngineSettings::LocalContentCanAccessRemoteUrls));
}

TEST_F(WebEngineViewTest, LoadsThatFailReadAsThePageThatCannotBeFound) {
    // A port just closed again: nothing listens there.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    std::unique_ptr<WebEngineView> view = makeView({}, std::chrono::milliseconds(1500));
    EXPECT_FALSE(view->documentMarkup().read);
    for (const QString& address : {refused, server.address("/500"), server.address("/hang")}) {
        const QStringList completed = completions(*view, 1, [&] { view->Navigate(address); });
        ASSERT_EQ(completed.size(), 1) << address.toStdString();
        EXPECT_EQ(view->documentMarkup().text, kCannotFindServerPage) << address.toStdString();
        // A page that loads reads as itself again.
        completions(*view, 1, [&] { view->Navigate(server.address("/fine")); });
        EXPECT_EQ(view->documentMarkup().text,
                  "<HEAD><TITLE>/fine</TITLE></HEAD><BODY>/fine</BODY>");
    }
}

TEST_F(WebEngineViewTest, FramesCompleteBeforeTheirPage) {
    std::unique_ptr<WebEngineView> view = makeView();
    const QStringList completed =
        completions(*view, 3, [&] { view->Navigate(server.address("/frames")); });
    ASSERT_EQ(completed.size(), 3);
    EXPECT_EQ(QSet<QString>({completed[0], completed[1]}),
              QSet<QString>({server.address("/a"), server.address("/b")}));
    EXPECT_EQ(completed[2], server.address("/frames"));
}

TEST_F(WebEngineViewTest, BackAndForwardFailWithNoPageToGoTo) {
    std::unique_ptr<WebEngineView> view = makeView();
    EXPECT_FALSE(view->GoBack());
    EXPECT_FALSE(view->GoForward());
    completions(*view, 1, [&] { view->Navigate(server.address("/one")); });
    completions(*view, 1, [&] { view->Navigate(server.address("/two")); });
    EXPECT_FALSE(view->GoForward());
    completions(*view, 1, [&] { EXPECT_TRUE(view->GoBack()); });
    EXPECT_EQ(view->documentMarkup().text, "<HEAD><TITLE>/one</TITLE></HEAD><BODY>/one</BODY>");
    EXPECT_TRUE(view->GoForward());
}

TEST_F(WebEngineViewTest, APageWhoseRendererDiesReadsAsFailed) {
    std::unique_ptr<WebEngineView> view = makeView();
    completions(*view, 1, [&] { view->Navigate(server.address("/one")); });
    const qint64 renderer = view->page()->renderProcessPid();
    ASSERT_GT(renderer, 0);
    const QStringList completed =
        completions(*view, 1, [&] { ::kill(static_cast<pid_t>(renderer), SIGKILL); });
    ASSERT_EQ(completed.size(), 1);
    EXPECT_EQ(view->documentMarkup().text, kCannotFindServerPage);
}

TEST_F(WebEngineViewTest, ADownloadIsSavedOnlyOnceTheUserAgreesAndNeverOpened) {
    QTemporaryDir downloads;
    AnsweringMessages messages;
    WebEngineViews views(messages, downloads.path());
    std::unique_ptr<WebView> view(views.make(&window, {}));

    messages.answer = MessageBoxes::Answer::No;
    view->Navigate(server.address("/report.txt"));
    ASSERT_TRUE(waitUntil([&] { return !messages.asked.isEmpty(); }));
    EXPECT_TRUE(messages.asked.first().contains("report.txt"));
    EXPECT_TRUE(messages.asked.first().contains(downloads.path()));

    messages.answer = MessageBoxes::Answer::Yes;
    view->Navigate(server.address("/report.txt"));
    ASSERT_TRUE(waitUntil([&] {
        QFile saved(downloads.filePath("report.txt"));
        return saved.open(QIODevice::ReadOnly) && saved.readAll() == "saved\n";
    }));
    EXPECT_EQ(QDir(downloads.path()).entryList(QDir::Files), QStringList{"report.txt"});
}

}  // namespace
}  // namespace tolvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
