#include "currency/currency_table.h"
#include "currency/request_page.h"

#include <gtest/gtest.h>

#include <map>

namespace tolvane {
namespace {

const QString kAddress = QStringLiteral("http://127.0.0.1:52731/converter/classic");

// The page as it must reach the web view, line by line, for the three values given.
QString expectedPage(const QString& value, const QString& from, const QString& to) {
    return QStringLiteral(
               "<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n</head>\r\n"
               "<body bgcolor=\"#FFFFFF\" onLoad=\"javascript:document.dolar.submit()\">\r\n\r\n"
               "  <form name=dolar action=http://127.0.0.1:52731/converter/classic "
               "enctype=x-www-form-encoded method=post>\r\n"
               "    <input name=lang type=hidden value=en>\r\n"
               "    <input name=user type=hidden value=roamguide>\r\n"
               "    <input name=level type=hidden value=release>\r\n"
               "    <input name=date_fmt type=hidden value=normal>\r\n"
               "    <input name=value type=hidden value=") +
           value + QStringLiteral(">\r\n    <input name=exch type=hidden value=") + from +
           QStringLiteral(">\r\n    <input name=expr type=hidden value=") + to +
           QStringLiteral(">\r\n</body>\r\n</html>");
}

TEST(RequestPageTest, TheTemplateIsSixteenLinesAndFillsInOnlyTheThreeValues) {
    const QString pageTemplate = requestPageTemplate(kAddress);
    EXPECT_EQ(pageTemplate.count(QStringLiteral("\r\n")), 16);
    EXPECT_EQ(pageTemplate, expectedPage("1", "USD", "ILS") + "\r\n");

    EXPECT_EQ(buildRequestPage(pageTemplate, "1", "USD", "ILS"), expectedPage("1", "USD", "ILS"));
    EXPECT_EQ(buildRequestPage(pageTemplate, "250", "GBP", "EUR"),
              expectedPage("250", "GBP", "EUR"));
    // Whatever the address, only the values change.
    const QString longer = requestPageTemplate("http://a.very.long.host.example:8080/converter/classic");
    EXPECT_EQ(buildRequestPage(longer, "250", "GBP", "EUR"), QString(longer)
                                                                  .replace("value=1>", "value=250>")
                                                                  .replace("value=USD>", "value=GBP>")
                                                                  .replace("value=ILS>", "value=EUR>")
                                                                  .chopped(2));
}

TEST(RequestPageTest, AmountsThatAreNoNumberAreSentAsTyped) {
    const QString pageTemplate = requestPageTemplate(kAddress);
    EXPECT_EQ(buildRequestPage(pageTemplate, "", "USD", "ILS"), expectedPage("", "USD", "ILS"));
    EXPECT_EQ(buildRequestPage(pageTemplate, "1,000.5", "USD", "ILS"),
              expectedPage("1,000.5", "USD", "ILS"));
    EXPECT_EQ(buildRequestPage(pageTemplate, "abc-1+2", "USD", "ILS"),
              expectedPage("abc-1+2", "USD", "ILS"));
}

TEST(RequestPageTest, AnAmountThatCouldBeMarkupIsQuotedAndEscaped) {
    const QString pageTemplate = requestPageTemplate(kAddress);
    const std::map<QString, QString> written{
        {"1><script>alert(1)</script>", "\"1&gt;&lt;script&gt;alert(1)&lt;/script&gt;\""},
        {"1 onfocus=alert(1)", "\"1 onfocus=alert(1)\""},
        {"1\" autofocus x=\"", "\"1&quot; autofocus x=&quot;\""},
        {"R&D", "\"R&amp;D\""},
        {"12 500", "\"12 500\""},
        {"₪5", "\"₪5\""},
        // Looks like the next field, but stays inside this one.
        {"1>\r\n    <input name=exch type=hidden value=XAU",
         "\"1&gt;\r\n    &lt;input name=exch type=hidden value=XAU\""},
    };
    for (const auto& [typed, value] : written)
        EXPECT_EQ(buildRequestPage(pageTemplate, typed, "GBP", "EUR"),
                  expectedPage(value, "GBP", "EUR"))
            << typed.toStdString();
}

TEST(CurrencyTableTest, HoldsEveryRowInItsPlaceWithItsDuplicates) {
    ASSERT_EQ(kCurrencies.size(), 174u);
    const auto row = [](int index) {
        return QString::fromLatin1(kCurrencies.at(index).name) + " (" +
               QString::fromLatin1(kCurrencies.at(index).code) + ")";
    };
    EXPECT_EQ(row(kFirstFromRow), "US Dollar (USD)");
    EXPECT_EQ(row(kFirstToRow), "Israeli New Shekel (ILS)");
    EXPECT_EQ(row(23), "British Pound (GBP)");
    EXPECT_EQ(row(60), "Gold (oz.) (XAU)");
    EXPECT_EQ(row(156), "Tongan Pa'anga (TOP)");
    EXPECT_EQ(row(173), "Zimbabwe Dollar (ZWD)");
    const std::map<QString, std::vector<int>> duplicates{
        {"USD", {0, 160}}, {"EUR", {1, 46}}, {"GBP", {23, 127, 165}}, {"NLG", {45, 110}},
        {"KHR", {29, 81}}};
    std::map<QString, std::vector<int>> rowsOfCode;
    for (int index = 0; index < kCurrencyCount; ++index) {
        const QString code = QString::fromLatin1(kCurrencies.at(index).code);
        EXPECT_EQ(code.size(), 3) << index;
        rowsOfCode[code].push_back(index);
    }
    for (const auto& [code, rows] : rowsOfCode) {
        if (rows.size() > 1) {
            EXPECT_EQ(duplicates.at(code), rows) << code.toStdString();
        }
    }
    EXPECT_EQ(rowsOfCode.size(), 174u - 6u);
}

}  // namespace
}  // namespace tolvane
