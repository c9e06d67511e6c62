#include "site/http_request.h"
#include "site/form_decoding.h"

#include "site/site_test_support.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using State = HttpRequestParser::State;

HttpRequestParser parsed(QByteArrayView bytes) {
    HttpRequestParser parser;
    parser.feed(bytes);
    return parser;
}

constexpr QByteArrayView kFormPost =
    "POST /converter/classic HTTP/1.1\r\n"
    "Host: 127.0.0.1:52731\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "Content-Length: 20\r\n"
    "\r\n"
    "value=250&exch=GBP&expr=EUR";  // more than the length: the rest is not the body

TEST(HttpRequestParser, ReadsRequestLineHeadersAndBody) {
    const HttpRequestParser parser = parsed(kFormPost);
    ASSERT_EQ(parser.state(), State::Complete);
    EXPECT_EQ(parser.request().method, "POST");
    EXPECT_EQ(parser.request().path, "/converter/classic");
    EXPECT_EQ(parser.request().header("content-type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(parser.request().body, "value=250&exch=GBP&e");

    const HttpRequestParser get = parsed(
        "\r\nGET /cgi-bin/trans.cgi?word=a&lang=heb HTTP/1.0\n"
        "X-Empty:\n\n");
    ASSERT_EQ(get.state(), State::Complete);
    EXPECT_EQ(get.request().path, "/cgi-bin/trans.cgi");
    EXPECT_EQ(get.request().query, "word=a&lang=heb");
    EXPECT_EQ(get.request().header("x-empty"), "");
    EXPECT_TRUE(get.request().body.isEmpty());
}

TEST(HttpRequestParser, PiecesOfAnySizeGiveTheSameRequest) {
    for (const qsizetype piece : {1, 2, 3, 7, 64}) {
        HttpRequestParser parser;
        State state = State::Incomplete;
        for (qsizetype at = 0; at < kFormPost.size(); at += piece) {
            state = parser.feed(kFormPost.sliced(at, std::min(piece, kFormPost.size() - at)));
        }
        ASSERT_EQ(state, State::Complete) << piece;
        EXPECT_EQ(parser.request().body, "value=250&exch=GBP&e") << piece;
    }
    HttpRequestParser waiting;
    EXPECT_EQ(waiting.feed("GET / HTTP/1.0\r\n"), State::Incomplete);
    EXPECT_EQ(waiting.feed("\r"), State::Incomplete);
    EXPECT_EQ(waiting.feed("\n"), State::Complete);
}

TEST(HttpRequestParser, BadRequestsFailWithTheirStatus) {
    const QByteArray longTarget = "GET /" + QByteArray(5000, 'a') + " HTTP/1.0\r\n\r\n";
    QByteArray manyHeaders = "GET / HTTP/1.0\r\n";
    for (int i = 0; i < 70; ++i) {
        manyHeaders += "X-" + QByteArray::number(i) + ": 1\r\n";
    }
    const struct {
        QByteArray request;
        int status;
    } cases[] = {
        {"\x16\x03\x01\x02\x05\x01\xfc\x03\x03\r\n\r\n", 400},  // TLS hello
        {"GET /\r\n\r\n", 400},
        {"GET  / HTTP/1.0\r\n\r\n", 400},
        {"GET http://example.org/ HTTP/1.0\r\n\r\n", 400},
        {"GET / HTTP/2.0\r\n\r\n", 505},
        {"GET / HTTP/1.0\r\nNo colon here\r\n\r\n", 400},
        {"GET / HTTP/1.0\r\nA: 1\r\n folded\r\n\r\n", 400},
        {"GET / HTTP/1.0\r\nA: bell\x07\r\n\r\n", 400},
        {"POST /converter/classic HTTP/1.0\r\n\r\n", 411},
        {"POST / HTTP/1.0\r\nContent-Length: 999999999999\r\n\r\n", 413},
        {"POST / HTTP/1.0\r\nContent-Length: 16385\r\n\r\n", 413},
        {"POST / HTTP/1.0\r\nContent-Length: -1\r\n\r\n", 400},
        {"POST / HTTP/1.0\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", 501},
        {longTarget, 414},
        {manyHeaders + "\r\n", 431},
        {"GET / HTTP/1.0\r\nX: " + QByteArray(20000, 'a'), 431},
        {QByteArray(6000, 'G'), 414},
    };
    for (const auto& [request, status] : cases) {
        const HttpRequestParser parser = parsed(request);
        EXPECT_EQ(parser.state(), State::Failed) << request.left(60).toStdString();
        EXPECT_EQ(parser.failureStatus(), status) << request.left(60).toStdString();
    }
}

// The answer to a bad request must not depend on how its bytes arrived.
TEST(HttpRequestParser, ALongRequestLineFailsAlikeWholeOrInPieces) {
    const QByteArray longMethod =
        QByteArray(5000, 'G') + "\x01 / HTTP/1.1\r\nA: 1\r\n\r\n";  // not even a token
    const QByteArray longLineThenLongHead =
        "GET /" + QByteArray(4500, 'a') + " HTTP/1.1\r\nX: " + QByteArray(14000, 'b') + "\r\n\r\n";
    for (const QByteArray& request : {longMethod, longLineThenLongHead}) {
        for (const qsizetype cut : {qsizetype{0}, request.size() / 3, qsizetype{4200}}) {
            HttpRequestParser parser;
            parser.feed(QByteArrayView(request).first(cut));
            parser.feed(QByteArrayView(request).sliced(cut));
            EXPECT_EQ(parser.state(), State::Failed) << cut;
            EXPECT_EQ(parser.failureStatus(), 414) << cut;
        }
    }
}

TEST(HttpRequestParser, NothingMoreIsTakenOnceDoneButTheExcessIsNoticed) {
    HttpRequestParser parser;
    ASSERT_EQ(parser.feed("GET / HTTP/1.0\r\n\r\n"), State::Complete);
    EXPECT_FALSE(parser.hasExcess());
    EXPECT_EQ(parser.feed("GET /other HTTP/1.0\r\n\r\n"), State::Complete);
    EXPECT_EQ(parser.request().path, "/");
    EXPECT_TRUE(parser.hasExcess());
    EXPECT_TRUE(parsed(kFormPost).hasExcess()) << "a body longer than its length";
    EXPECT_TRUE(parsed("GET / HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\n\r\n").hasExcess());
    EXPECT_FALSE(parsed("POST / HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc").hasExcess());
}

TEST(HttpRequestParser, KeepAliveAsTheClientAsks) {
    const struct {
        const char* request;
        bool keepAlive;
    } cases[] = {
        {"GET / HTTP/1.1\r\n\r\n", true},
        {"GET / HTTP/1.1\r\nConnection: close\r\n\r\n", false},
        {"GET / HTTP/1.1\r\nConnection: Upgrade, CLOSE\r\n\r\n", false},
        {"GET / HTTP/1.0\r\n\r\n", false},
        {"GET / HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\n", true},
        {"GET / HTTP/1.0\r\nConnection: keep-alive, close\r\n\r\n", false},
    };
    for (const auto& [request, keepAlive] : cases) {
        const HttpRequestParser parser = parsed(request);
        ASSERT_EQ(parser.state(), State::Complete) << request;
        EXPECT_EQ(parser.request().wantsKeepAlive(), keepAlive) << request;
    }
}

TEST(FormDecoding, PlusPercentAndUtf8) {
    const auto form = UrlEncodedForm::read(
        "value=1%2C5&exch=U+S&word=%D7%A9%D7%9C%D7%95%D7%9D&&flag&a=b=c&%77ord=late&x=1&x=2");
    ASSERT_TRUE(form.has_value());
    EXPECT_EQ(form->field(u"value"), QStringLiteral("1,5"));
    EXPECT_EQ(form->field(u"exch"), QStringLiteral("U S"));
    EXPECT_EQ(form->field(u"word"), QStringLiteral("שלום"));
    EXPECT_EQ(form->field(u"flag"), QStringLiteral(""));
    EXPECT_FALSE(form->field(u"flag").isNull());
    EXPECT_EQ(form->field(u"a"), QStringLiteral("b=c"));
    EXPECT_TRUE(form->field(u"missing").isNull());
    EXPECT_EQ(form->field(u"x"), QStringLiteral("1"));
    // Names are decoded like values before they are compared.
    const auto escapedNames = UrlEncodedForm::read("%76alue=5&ex+ch=6&%D7%A9=7&value=8");
    ASSERT_TRUE(escapedNames.has_value());
    EXPECT_EQ(escapedNames->field(u"value"), QStringLiteral("5"));
    EXPECT_EQ(escapedNames->field(u"ex ch"), QStringLiteral("6"));
    EXPECT_EQ(escapedNames->field(u"ש"), QStringLiteral("7"));
    EXPECT_EQ(escapedNames->allFields().size(), 4);
}

TEST(FormDecoding, BadEscapesAreRefusedUnlessTakenLiterally) {
    for (const char* bad :
         {"value=100%", "value=%4", "value=%zz", "%g0=1", "a=1&b=%%41", "%=1", "a=%4&b=1"}) {
        EXPECT_FALSE(UrlEncodedForm::read(bad).has_value()) << bad;
    }
    EXPECT_TRUE(UrlEncodedForm::read("").has_value());
    const auto literal = UrlEncodedForm::read("word=100%&x=%4&y=%%41%2", StrayPercent::Literal);
    ASSERT_TRUE(literal.has_value());
    EXPECT_EQ(literal->field(u"word"), QStringLiteral("100%"));
    EXPECT_EQ(literal->field(u"x"), QStringLiteral("%4"));
    EXPECT_EQ(literal->field(u"y"), QStringLiteral("%A%2"));
}

}  // namespace
}  // namespace tolvane
