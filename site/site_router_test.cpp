#include "site/site_router.h"
#include "site/http_response.h"
#include "site/rate_service.h"

#include "site/site_test_support.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

HttpRequest request(QByteArray method, QByteArray path, QByteArray query = {}, QByteArray body = {},
                    QByteArray contentType = {}) {
    HttpRequest made{std::move(method), std::move(path), std::move(query), {}, std::move(body)};
    if (!contentType.isNull()) {
        made.headers.append({"content-type", std::move(contentType)});
    }
    return made;
}

// What the currency window reads out of an answer: the text between the first "<P><BIG>"
// and the first "</BIG>" after it, case-sensitively.
QString resultBetweenMarkers(const QByteArray& page) {
    const QString text = QString::fromUtf8(page);
    const qsizetype start = text.indexOf(QStringLiteral("<P><BIG>"));
    const qsizetype end = start < 0 ? -1 : text.indexOf(QStringLiteral("</BIG>"), start);
    return end < 0 ? QString() : text.mid(start + 8, end - start - 8);
}

class SiteRouterTest : public testing::Test {
protected:
    RateService rates_{QString()};
    SiteRouter router_{rates_, DictionaryLink(DictionaryLink::defaultTemplate())};
};

TEST_F(SiteRouterTest, MakersPagesAreHebrewRightToLeft) {
    for (const char* path : {"/", "/cp/support.html", "/cp/contact.html"}) {
        const HttpResponse response = router_.respond(request("GET", path));
        EXPECT_EQ(response.status, 200) << path;
        EXPECT_EQ(response.contentType, "text/html; charset=utf-8");
        EXPECT_TRUE(response.body.contains("<html dir=\"rtl\" lang=\"he\">")) << path;
        EXPECT_TRUE(response.body.contains("<meta charset=\"utf-8\">")) << path;
    }
    const QString home = QString::fromUtf8(router_.respond(request("GET", "/")).body);
    for (const char* item : {"קיצורי דרך", "תזמון משימות", "מחשבון", "המרת מטבעות", "תרגומי מילים",
                             "דפדפן", "הגדרות", "אודות", "/cp/support.html", "/cp/contact.html"}) {
        EXPECT_TRUE(home.contains(QString::fromUtf8(item))) << item;
    }
    const QByteArray support = router_.respond(request("GET", "/cp/support.html")).body;
    for (const char* place :
         {"SC.Dat", "Timing.Dat", "$XDG_DATA_HOME/tolvane/",
          "$XDG_CONFIG_HOME/tolvane/registry.json", "$XDG_CACHE_HOME/tolvane/"}) {
        EXPECT_TRUE(support.contains(place)) << place;
    }
}

TEST_F(SiteRouterTest, ConverterAnswersTheRequestPagesForm) {
    const HttpResponse response = router_.respond(request(
        "POST", "/converter/classic", {},
        "lang=en&user=roamguide&level=release&date_fmt=normal&value=250&exch=GBP&expr=EUR"));
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body.count("<P><BIG>"), 1);
    EXPECT_EQ(response.body.count("</BIG>"), 1);
    EXPECT_EQ(resultBetweenMarkers(response.body),
              QStringLiteral("250 GBP = 291.316 EUR (market rate of 2026-09-29)"));

    const HttpResponse gold =
        router_.respond(request("POST", "/converter/classic", {}, "value=1&exch=XAU&expr=ILS",
                                "application/x-www-form-urlencoded; charset=UTF-8"));
    EXPECT_EQ(resultBetweenMarkers(gold.body),
              QStringLiteral("1 XAU = 12691.7 ILS (market rates of 2026-09-29)"));
    const HttpResponse badAmount = router_.respond(
        request("POST", "/converter/classic", {}, "value=%3Cb%3E&exch=USD&expr=ILS"));
    EXPECT_EQ(resultBetweenMarkers(badAmount.body),
              QStringLiteral("The amount must be a plain number, such as 250, 12.5 or 1,000."));
}

TEST_F(SiteRouterTest, DictionaryRedirectsWithThePercentEncodedWord) {
    const auto locationFor = [&](QByteArray query) {
        const HttpResponse response =
            router_.respond(request("GET", "/cgi-bin/trans.cgi", std::move(query)));
        EXPECT_EQ(response.status, 302);
        EXPECT_FALSE(response.body.isEmpty());
        return response.location;
    };
    EXPECT_EQ(locationFor("layout=babylonhp.txt&word=dog&lang=heb"),
              "https://translate.google.com/m?sl=auto&tl=iw&q=dog");
    EXPECT_EQ(locationFor("layout=babylonhp.txt&word=%D7%9B%D7%9C%D7%91&lang=heb"),
              "https://translate.google.com/m?sl=auto&tl=iw&q=%D7%9B%D7%9C%D7%91");
    EXPECT_EQ(locationFor("word=ice+cream&lang=heb"),
              "https://translate.google.com/m?sl=auto&tl=iw&q=ice%20cream");
    EXPECT_EQ(locationFor("word=a%2F..%2F%0D%0ASet-Cookie:x"),
              "https://translate.google.com/m?sl=auto&tl=iw&q=a%2F..%2F%0D%0ASet-Cookie%3Ax");
    EXPECT_EQ(locationFor("layout=babylonhp.txt&word=&lang=heb"), "https://translate.google.com/");
    EXPECT_EQ(locationFor("word=+++"), "https://translate.google.com/");
    // The translator puts the word in as typed: a "%" that escapes nothing is the word's own.
    EXPECT_EQ(locationFor("word=100%&lang=heb"), "https://translate.google.com/m?sl=auto&tl=iw&q=100%25");
    EXPECT_EQ(locationFor("word=%zz%2"), "https://translate.google.com/m?sl=auto&tl=iw&q=%25zz%252");
}

TEST(DictionaryLink, TemplateIsASettingWithASafeFallback) {
    const DictionaryLink morfix(QStringLiteral("https://www.morfix.co.il/{word}"));
    EXPECT_EQ(morfix.addressFor(u"שלום"), "https://www.morfix.co.il/%D7%A9%D7%9C%D7%95%D7%9D");
    EXPECT_EQ(morfix.addressFor(u""), "https://www.morfix.co.il/");
    for (const char* unusable : {"", "https://example.org/no-placeholder", "file:///etc/{word}",
                                 "javascript:alert('{word}')", "not a url {word}"}) {
        EXPECT_EQ(DictionaryLink(QString::fromLatin1(unusable)).urlTemplate(),
                  DictionaryLink::defaultTemplate())
            << unusable;
    }
}

TEST_F(SiteRouterTest, BadInputGetsAnErrorPage) {
    const struct {
        HttpRequest request;
        int status;
    } cases[] = {
        {request("GET", "/nothing-here"), 404},
        {request("GET", "/cp/../cp/support.html"), 404},
        {request("GET", "/index.html"), 404},
        {request("POST", "/"), 405},
        {request("DELETE", "/cp/contact.html"), 405},
        {request("GET", "/converter/classic"), 405},
        {request("POST", "/cgi-bin/trans.cgi"), 405},
        {request("POST", "/converter/classic", {}, "value=1%"), 400},
        {request("POST", "/converter/classic", {}, "--x\r\n", "multipart/form-data; boundary=x"),
         415},
    };
    for (const auto& [badRequest, status] : cases) {
        const HttpResponse response = router_.respond(badRequest);
        EXPECT_EQ(response.status, status)
            << badRequest.method.toStdString() << ' ' << badRequest.path.toStdString();
        EXPECT_TRUE(response.body.contains("</html>"));
    }
    EXPECT_EQ(router_.respond(request("GET", "/converter/classic")).allow, "POST");
}

TEST(HttpResponse, WireFormatClosesTheConnectionAndCountsTheBody) {
    HttpResponse redirect{302, "text/html; charset=utf-8", "<p>x</p>", "https://a.example/", {}};
    EXPECT_EQ(redirect.toBytes(),
              "HTTP/1.0 302 Found\r\nContent-Type: text/html; charset=utf-8\r\n"
              "Content-Length: 8\r\nConnection: close\r\nCache-Control: no-store\r\n"
              "X-Content-Type-Options: nosniff\r\nLocation: https://a.example/\r\n\r\n<p>x</p>");
    EXPECT_TRUE(redirect.toBytes(true).contains("\r\nConnection: keep-alive\r\n"));
    for (const int status : {400, 404, 405, 408, 411, 413, 414, 415, 431, 500, 501, 505}) {
        const HttpResponse error = errorResponse(status);
        EXPECT_TRUE(error.body.contains(QByteArray::number(status))) << status;
        EXPECT_TRUE(error.body.contains("dir=\"rtl\"")) << status;
        EXPECT_NE(reasonPhrase(status), "Error") << status;
    }
}

}  // namespace
}  // namespace tolvane
