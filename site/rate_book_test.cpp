#include "site/rate_book.h"
#include "site/conversion_page.h"
#include "site/decimal_text.h"
#include "site/rate_service.h"

#include "site/site_test_support.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The shipped rates, as the converter sees them: newest ECB day 2026-02-20.
class ShippedRates : public testing::Test {
protected:
    QString convert(const QString& amount, const QString& from, const QString& to) {
        return conversionLine({{QStringLiteral("value"), amount},
                               {QStringLiteral("exch"), from},
                               {QStringLiteral("expr"), to}},
                              rates_);
    }
    const RateBook& book() { return *rates_.book(); }

    RateService rates_{QString()};
};

TEST_F(ShippedRates, EcbCrossRatesOnTheNewestDay) {
    EXPECT_EQ(convert(QStringLiteral("250"), QStringLiteral("GBP"), QStringLiteral("EUR")),
              QStringLiteral("250 GBP = 286.43 EUR (ECB reference rate of 2026-02-20)"));
    // 3.6783 / 1.1767, five significant digits.
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("USD"), QStringLiteral("ILS")),
              QStringLiteral("1 USD = 3.1259 ILS (ECB reference rates of 2026-02-20)"));
}

TEST_F(ShippedRates, EuroFixedRatesAreExactWhateverTheDay) {
    const auto conversion = book().convert(1, QStringLiteral("DEM"), QStringLiteral("FRF"));
    ASSERT_TRUE(conversion.has_value());
    EXPECT_EQ(conversion->result, 1 / 1.95583 * 6.55957);
    EXPECT_EQ(
        convert(QStringLiteral("1"), QStringLiteral("DEM"), QStringLiteral("FRF")),
        QStringLiteral("1 DEM = 3.35385 FRF (irrevocable euro conversion rates of 1999-01-01)"));
    // Without any market quote, or with newer ones, the fixed rates do not move.
    const RateBook fixedOnly({},
                             *parseEuroFixedRates("code,units_per_eur,effective_date\n"
                                                  "DEM,1.95583,1999-01-01\n"
                                                  "FRF,6.55957,1999-01-01\n"),
                             {});
    EXPECT_EQ(fixedOnly.convert(1, QStringLiteral("DEM"), QStringLiteral("FRF"))->result,
              conversion->result);
    // The fixed rate, not HRK's last market quote (7.5365), and BGN's, not 1.9558.
    EXPECT_DOUBLE_EQ(book().euroValue(QStringLiteral("HRK"))->unitsPerEur, 7.5345);
    EXPECT_DOUBLE_EQ(book().euroValue(QStringLiteral("BGN"))->unitsPerEur, 1.95583);
}

TEST_F(ShippedRates, RedenominationsChainToTheSuccessorsRate) {
    EXPECT_EQ(convert(QStringLiteral("1000000"), QStringLiteral("TRL"), QStringLiteral("EUR")),
              QStringLiteral("1000000 TRL = 0.0193824 EUR (ECB reference rate of 2026-02-20; "
                             "1 TRY = 1000000 TRL since 2005-01-01)"));
    EXPECT_EQ(convert(QStringLiteral("1000"), QStringLiteral("BGL"), QStringLiteral("EUR")),
              QStringLiteral("1000 BGL = 0.511292 EUR (irrevocable euro conversion rate of "
                             "2026-01-01; 1 BGN = 1000 BGL since 1999-07-05)"));
    // ROL goes through RON today, not through its own last quote of 2005.
    EXPECT_DOUBLE_EQ(book().euroValue(QStringLiteral("ROL"))->unitsPerEur, 50978);
    EXPECT_DOUBLE_EQ(book().euroValue(QStringLiteral("ADP"))->unitsPerEur, 166.386);
}

TEST_F(ShippedRates, EndedQuotesShowTheirLastDate) {
    EXPECT_EQ(convert(QStringLiteral("100"), QStringLiteral("RUB"), QStringLiteral("USD")),
              QStringLiteral("100 RUB = 1.004 USD (ECB reference rates of 2022-03-01 for RUB and "
                             "2026-02-20 for USD)"));
}

TEST_F(ShippedRates, CurrenciesWithoutARateAreExplained) {
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("XAU"), QStringLiteral("USD")),
              QStringLiteral("No exchange rate is available for XAU."));
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("XAG"), QStringLiteral("XPT")),
              QStringLiteral("No exchange rate is available for XAG or XPT."));
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("USD"), QStringLiteral("CSK")),
              QStringLiteral("No exchange rate is available for CSK."));
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("AFA"), QStringLiteral("AFA")),
              QStringLiteral("No exchange rate is available for AFA."));
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("US$"), QStringLiteral("EUR")),
              QStringLiteral("Choose a currency to convert from and one to convert to."));
}

TEST_F(ShippedRates, OnlyPlainDecimalAmountsAreConverted) {
    const QString explanation =
        QStringLiteral("The amount must be a plain number, such as 250 or 12.5.");
    for (const char* bad :
         {"", "abc", "1e999", "-5", "1.2.3", "1,000.5", "1 000", "0x10", "1234567890123456", "٣"}) {
        EXPECT_EQ(convert(QString::fromUtf8(bad), QStringLiteral("EUR"), QStringLiteral("USD")),
                  explanation)
            << bad;
    }
    EXPECT_EQ(convert(QStringLiteral("1,5"), QStringLiteral("EUR"), QStringLiteral("USD")),
              QStringLiteral("1.5 EUR = 1.7651 USD (ECB reference rate of 2026-02-20)"));
    EXPECT_EQ(convert(QStringLiteral(" .5 "), QStringLiteral("eur"), QStringLiteral("EUR")),
              QStringLiteral("0.5 EUR = 0.5 EUR"));
    EXPECT_EQ(
        convert(QStringLiteral("123456789012345"), QStringLiteral("USD"), QStringLiteral("USD")),
        QStringLiteral(
            "123456789012345 USD = 123456789012345 USD (ECB reference rate of 2026-02-20)"));
}

TEST_F(ShippedRates, SmallResultsKeepTheirSignificantDigits) {
    // 1.1767 / 1936.27: five significant digits, not two decimals.
    EXPECT_EQ(convert(QStringLiteral("1"), QStringLiteral("ITL"), QStringLiteral("USD")),
              QStringLiteral("1 ITL = 0.00060771 USD (ECB reference rate of 2026-02-20; "
                             "irrevocable euro conversion rate of 1999-01-01)"));
}

TEST(Rounding, SignificantDigitsInPlainDecimals) {
    EXPECT_EQ(formatSignificant(286.43442, 5), QStringLiteral("286.43"));
    EXPECT_EQ(formatSignificant(9.99996, 5), QStringLiteral("10"));
    EXPECT_EQ(formatSignificant(0.000123456, 3), QStringLiteral("0.000123"));
    EXPECT_EQ(formatSignificant(1.93627e18, 6), QStringLiteral("1936270000000000000"));
    EXPECT_EQ(formatSignificant(0.125, 2), QStringLiteral("0.13"));  // exact half: away from zero
    EXPECT_EQ(formatSignificant(0.375, 2), QStringLiteral("0.38"));
    EXPECT_EQ(formatSignificant(0, 5), QStringLiteral("0"));
    EXPECT_EQ(formatSignificant(-2.5e-7, 2), QStringLiteral("-0.00000025"));
}

TEST(RateBook, NewerQuotesReplaceOlderOnesOnly) {
    RateQuotes quotes{{QStringLiteral("USD"), {1.1767, 5, QDate(2026, 2, 20)}}};
    RateBook book(quotes, {}, {});
    book.takeNewerQuotes({{QStringLiteral("USD"), {1.5, 2, QDate(2026, 2, 19)}},
                          {QStringLiteral("NOK"), {11.2, 3, QDate(2026, 2, 19)}}});
    EXPECT_DOUBLE_EQ(book.euroValue(QStringLiteral("USD"))->unitsPerEur, 1.1767);
    EXPECT_TRUE(book.euroValue(QStringLiteral("NOK")).has_value());
    book.takeNewerQuotes({{QStringLiteral("USD"), {1.2, 2, QDate(2026, 12, 8)}}});
    EXPECT_DOUBLE_EQ(book.euroValue(QStringLiteral("USD"))->unitsPerEur, 1.2);
    EXPECT_EQ(book.newestEcbDate(), QDate(2026, 12, 8));
}

TEST(RateBook, ALinkLoopEndsInNoRate) {
    const auto links = parseRedenominations(
        "old_code,new_code,old_units_per_new,effective_date,source\n"
        "AAA,BBB,10,2000,x\nBBB,AAA,10,2000,x\n");
    ASSERT_TRUE(links.has_value());
    const RateBook book({}, {}, *links);
    EXPECT_FALSE(book.euroValue(QStringLiteral("AAA")).has_value());
}

}  // namespace
}  // namespace tolvane
