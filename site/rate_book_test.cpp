#include "site/rate_book.h"
#include "site/conversion_page.h"
#include "site/decimal_text.h"
#include "site/rate_service.h"

#include "site/site_test_support.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The codes of the currency window's table, in its order (some codes stand on two rows).
constexpr const char* kTableCodes[] = {
    "USD", "EUR", "AFA", "ALL", "DZD", "ADF", "ADP", "AON", "ARS", "AWG", "AUD", "ATS", "BSD",
    "BHD", "BDT", "BBD", "BEF", "BZD", "BMD", "BTN", "BOB", "BWP", "BRL", "GBP", "BND", "BGL",
    "BIF", "XOF", "XAF", "KHR", "CAD", "CVE", "KYD", "CLP", "CNY", "COP", "KMF", "CRC", "HRK",
    "CUP", "CYP", "CSK", "DKK", "DJF", "DOP", "NLG", "EUR", "ECS", "EGP", "SVC", "EEK", "ETB",
    "FKP", "FJD", "FIM", "FRF", "GMD", "DEM", "GHC", "GIP", "XAU", "GRD", "GTQ", "GNF", "GWP",
    "GYD", "HTG", "HNL", "HKD", "HUF", "ISK", "INR", "IDR", "IRR", "IQD", "IEP", "ILS", "ITL",
    "JMD", "JPY", "JOD", "KHR", "KZT", "KES", "KRW", "KWD", "LAK", "LVL", "LBP", "LSL", "LRD",
    "LYD", "LTL", "LUF", "MOP", "MGF", "MWK", "MYR", "MVR", "MTL", "MRO", "MUR", "MXP", "MNT",
    "MAD", "MZM", "MMK", "ANG", "NAD", "NPR", "NLG", "NZD", "NIO", "NGN", "KPW", "NOK", "OMR",
    "PKR", "XPD", "PAB", "PGK", "PYG", "PEN", "PHP", "XPT", "PLZ", "PTE", "GBP", "QAR", "ROL",
    "SUR", "WST", "STD", "SAR", "SCR", "SLL", "XAG", "SGD", "SKK", "SIT", "SBD", "SOS", "ZAR",
    "ESP", "LKR", "SHP", "SDD", "SDP", "SRG", "SZL", "SEK", "CHF", "SYP", "TWD", "TZS", "THB",
    "TOP", "TTD", "TND", "TRL", "USD", "UGS", "UAG", "UAH", "UAK", "GBP", "UYP", "AED", "VUV",
    "VEB", "VND", "YUN", "ZMK", "ZWD"};
// No sound link to any rate: each gets an explanation instead.
const QStringList kUnlinked = {QStringLiteral("UAG"), QStringLiteral("YUN"),
                               QStringLiteral("CSK"), QStringLiteral("ZWD")};

QByteArray resource(const char* name) {
    QFile file(QStringLiteral(":/tolvane/site/data/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An independent exact computation for the tests: decimals as 128-bit integers scaled by a
// power of ten, written back by hand.
struct Scaled {
    __int128 units = 0;
    int decimals = 0;
};

Scaled scaled(const QByteArray& text) {
    Scaled value;
    const qsizetype mark = text.indexOf('.');
    for (const char c : text) {
        if (c != '.') {
            value.units = value.units * 10 + (c - '0');
        }
    }
    value.decimals = mark < 0 ? 0 : static_cast<int>(text.size() - mark - 1);
    return value;
}

Scaled times(Scaled a, Scaled b) {
    return {a.units * b.units, a.decimals + b.decimals};
}

QByteArray written(Scaled value) {
    QByteArray digits;
    for (__int128 units = value.units; units > 0; units /= 10) {
        digits.prepend(static_cast<char>('0' + static_cast<int>(units % 10)));
    }
    digits = digits.rightJustified(value.decimals + 1, '0');
    if (value.decimals > 0) {
        digits.insert(digits.size() - value.decimals, '.');
        while (digits.endsWith('0')) {
            digits.chop(1);
        }
        if (digits.endsWith('.')) {
            digits.chop(1);
        }
    }
    return digits;
}

class ShippedRates : public testing::Test {
protected:
    QString convert(const QString& amount, const char* from, const char* to) {
        return conversionLine(amount, QString::fromLatin1(from), QString::fromLatin1(to), rates_);
    }
    const RateBook& book() { return *rates_.book(); }

    RateService rates_{QString()};
};

TEST_F(ShippedRates, EveryCodeOfTheTableConvertsToEveryOtherOrSaysWhyNot) {
    QStringList codes;
    for (const char* code : kTableCodes) {
        if (!codes.contains(QString::fromLatin1(code))) {
            codes.append(QString::fromLatin1(code));
        }
    }
    ASSERT_EQ(codes.size(), 168);
    for (const QString& from : codes) {
        for (const QString& to : codes) {
            const Conversion conversion = book().convert("1", from, to);
            const bool unlinked = kUnlinked.contains(from) || kUnlinked.contains(to);
            EXPECT_EQ(conversion.result.isEmpty(), unlinked) << qPrintable(from + u' ' + to);
            EXPECT_EQ(conversion.problem.isEmpty(), !unlinked) << qPrintable(from + u' ' + to);
        }
    }
    EXPECT_EQ(convert(QStringLiteral("1"), "USD", "UAG"),
              QStringLiteral("No currency is known to have used the code UAG; Ukraine's "
                             "karbovanets was UAK, its hryvnia is UAH."));
    EXPECT_EQ(convert(QStringLiteral("1"), "CSK", "EUR"),
              QStringLiteral("CSK had more than one successor (CZK and SKK), so it has no "
                             "single rate."));
    EXPECT_TRUE(convert(QStringLiteral("1"), "YUN", "YUN").contains(u"Yugoslav dinar"));
    EXPECT_TRUE(convert(QStringLiteral("1"), "EUR", "ZWD").contains(u"Zimbabwe dollar"));
    EXPECT_EQ(convert(QStringLiteral("1"), "ABC", "XYZ"),
              QStringLiteral("No exchange rate is available for ABC or XYZ."));
}

TEST_F(ShippedRates, TheNewestSourceQuotingBothGivesBothSidesAndIsNamed) {
    // The market snapshot (2026-09-29) is newer than the ECB's history (2026-02-20).
    EXPECT_EQ(convert(QStringLiteral("250"), "GBP", "EUR"),
              QStringLiteral("250 GBP = 291.316 EUR (market rate of 2026-09-29)"));
    EXPECT_EQ(convert(QStringLiteral("1"), "ITL", "XAU"),
              QStringLiteral("1 ITL = 0.000000142097 XAU (market rate of 2026-09-29)"));
    // RUB's ECB series ended in 2022; the market quotes it with the dollar today.
    EXPECT_TRUE(convert(QStringLiteral("100"), "RUB", "USD").endsWith(u"(market rates of 2026-09-29)"));

    // A newer ECB day wins for what it quotes, both sides from that day...
    RateService refreshed{QString()};
    ASSERT_TRUE(refreshed.book());
    ASSERT_TRUE(refreshed.takeEcbDailyFile(
        "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\"><Cube>"
        "<Cube time='2026-12-08'><Cube currency='USD' rate='1.2'/><Cube currency='GBP' "
        "rate='0.9'/></Cube></Cube></gesmes:Envelope>"));
    const auto line = [&refreshed](const char* from, const char* to) {
        return conversionLine(u"9", QString::fromLatin1(from), QString::fromLatin1(to), refreshed);
    };
    EXPECT_EQ(line("GBP", "USD"), QStringLiteral("9 GBP = 12 USD (ECB reference rates of 2026-12-08)"));
    // ...but GBP and JPY share no ECB day newer than the market's.
    EXPECT_TRUE(line("GBP", "JPY").endsWith(u"(market rates of 2026-09-29)"));
    // A legacy code goes through its fixed links first: ITL is the euro's, TRL is TRY's.
    EXPECT_EQ(line("ITL", "USD"), QStringLiteral("9 ITL = 0.0055777 USD (ECB reference rate of 2026-12-08)"));
}

TEST_F(ShippedRates, ASourceWinsOverTheOtherOnlyWithANewerDay) {
    const auto table = [](QDate day, const char* code, const char* rate) {
        QuoteTable quotes;
        quotes.takeDay(day, {{QString::fromLatin1(code), QByteArray(rate)}});
        return quotes;
    };
    const QDate day(2026, 12, 8);
    const RateBook tie(table(day, "USD", "1.2"), table(day, "USD", "1.25"), {}, {}, {});
    EXPECT_EQ(tie.convert("3", QStringLiteral("EUR"), QStringLiteral("USD")).source,
              "ECB reference rate of 2026-12-08");
    EXPECT_EQ(tie.convert("3", QStringLiteral("EUR"), QStringLiteral("USD")).result, "3.6");
    const RateBook marketNewer(table(day, "USD", "1.2"), table(day.addDays(1), "USD", "1.25"), {},
                               {}, {});
    EXPECT_EQ(marketNewer.convert("3", QStringLiteral("EUR"), QStringLiteral("USD")).result,
              "3.75");
}

TEST_F(ShippedRates, OldCodesAgainstTheirSuccessorsAndEachOtherAreExact) {
    EXPECT_EQ(convert(QStringLiteral("2443595"), "BGL", "BGN"),
              QStringLiteral("2443595 BGL = 2443.595 BGN"));
    EXPECT_EQ(convert(QStringLiteral("123.4567"), "TRY", "TRL"),
              QStringLiteral("123.4567 TRY = 123456700 TRL"));
    EXPECT_EQ(convert(QStringLiteral("713.1635"), "DEM", "BGN"),
              QStringLiteral("713.1635 DEM = 713.1635 BGN"));
    EXPECT_EQ(convert(QStringLiteral("100"), "XOF", "FRF"), QStringLiteral("100 XOF = 1 FRF"));
    EXPECT_EQ(convert(QStringLiteral("65"), "GWP", "XOF"), QStringLiteral("65 GWP = 1 XOF"));
    EXPECT_EQ(convert(QStringLiteral("12.50"), "USD", "USD"),
              QStringLiteral("12.5 USD = 12.5 USD"));
    // Exact, but without an end: six significant digits, and never fewer than two places.
    EXPECT_EQ(convert(QStringLiteral("1"), "DEM", "FRF"), QStringLiteral("1 DEM = 3.35385 FRF"));
    EXPECT_EQ(convert(QStringLiteral("1,000,000"), "DEM", "FRF"),
              QStringLiteral("1000000 DEM = 3353854.89 FRF"));

    // Every fixed link of the shipped file, both ways, against a separate computation.
    const auto links = parseRedenominations(resource("redenominations.csv"));
    ASSERT_TRUE(links.has_value());
    const Scaled amount = scaled("123.4567");
    for (auto link = links->links.cbegin(); link != links->links.cend(); ++link) {
        const QString& old = link.key();
        const Scaled oldUnits = times(amount, scaled(link->oldUnitsPerNew));
        const Conversion toOld = book().convert("123.4567", link->successor, old);
        EXPECT_EQ(toOld.result, written(oldUnits)) << qPrintable(old);
        EXPECT_TRUE(toOld.source.isEmpty()) << qPrintable(old);
        const Conversion toNew = book().convert(written(oldUnits), old, link->successor);
        EXPECT_EQ(toNew.result, "123.4567") << qPrintable(old);
    }
}

TEST_F(ShippedRates, ExactHalvesRoundAwayFromZeroForEveryRate) {
    // amount = h × rate converts to exactly h, whose last digit is a half at the place the
    // answer is rounded to: ECB rates give at least five significant digits, the market's six.
    struct Source {
        const char* label;
        std::optional<QuoteTable> table;
        QDate day;
        bool ecb;
    };
    const Source sources[] = {
        {"ECB", parseEcbHistory(resource("eurofxref-hist.csv")), QDate(2026, 2, 20), true},
        {"market", parseMarketRates(resource("market-rates.csv")), QDate(2026, 9, 29), false}};
    for (const Source& source : sources) {
        ASSERT_TRUE(source.table.has_value());
        const RateBook book(source.ecb ? *source.table : QuoteTable(),
                            source.ecb ? QuoteTable() : *source.table, {}, {}, {});
        int checked = 0;
        for (const QString& code : source.table->codes()) {
            const auto quote = source.table->pair(code, QStringLiteral("EUR"));
            if (!quote || quote->day != source.day) {
                continue;
            }
            const int carried = significantDigits(quote->from->figure);
            const int digits = source.ecb ? std::max(5, carried) : std::clamp(carried, 5, 6);
            const QByteArray half = '1' + QByteArray(digits - 1, '2') + ".5";
            const QByteArray rounded = '1' + QByteArray(digits - 2, '2') + '3';
            const QByteArray amount = written(times(scaled(half), scaled(quote->from->figure)));
            EXPECT_EQ(book.convert(amount, code, QStringLiteral("EUR")).result, rounded)
                << source.label << ' ' << qPrintable(code) << ' ' << amount.toStdString();
            ++checked;
        }
        EXPECT_EQ(checked, source.ecb ? 29 : 164) << source.label;
    }
    // The case that went wrong in binary: 38890.6588 / 0.8728 = 44558.5 exactly.
    const RateBook ecbOnly(*sources[0].table, {}, {}, {}, {});
    EXPECT_EQ(ecbOnly.convert("38890.6588", QStringLiteral("GBP"), QStringLiteral("EUR")).result,
              "44559");
}

TEST(Amounts, ThousandsAreCommasAndAnythingElseIsExplained) {
    using Problem = AmountReading::Problem;
    const struct {
        const char* typed;
        Problem problem;
        const char* normalised;
    } cases[] = {
        {"1,000", Problem::None, "1000"},
        {" 1,000,000.5 ", Problem::None, "1000000.5"},
        {"12,500", Problem::None, "12500"},
        {"0012.50", Problem::None, "12.5"},
        {"000", Problem::None, "0"},
        {".5", Problem::None, "0.5"},
        {"7.", Problem::None, "7"},
        {"123456789012345678901234567890", Problem::None, "123456789012345678901234567890"},
        {"12,5", Problem::AmbiguousComma, ""},
        {"1,00", Problem::AmbiguousComma, ""},
        {"0,500", Problem::AmbiguousComma, ""},
        {"1,0000", Problem::AmbiguousComma, ""},
        {"1.000,5", Problem::AmbiguousComma, ""},
        {",500", Problem::AmbiguousComma, ""},
        {"1234567890123456789012345678901", Problem::TooLong, ""},
        {"", Problem::NotANumber, ""},
        {"-5", Problem::NotANumber, ""},
        {"1e9", Problem::NotANumber, ""},
        {"1 000", Problem::NotANumber, ""},
        {"1..2", Problem::NotANumber, ""},
        {".", Problem::NotANumber, ""},
        {"٣", Problem::NotANumber, ""},
    };
    for (const auto& [typed, problem, normalised] : cases) {
        const AmountReading reading = readAmount(QString::fromUtf8(typed));
        EXPECT_EQ(reading.problem, problem) << typed;
        EXPECT_EQ(reading.normalised, QByteArray(normalised)) << typed;
    }
}

TEST_F(ShippedRates, AnswersEchoTheAmountAndExplainWhatTheyCannotRead) {
    EXPECT_EQ(convert(QStringLiteral("1,000"), "EUR", "EUR"), QStringLiteral("1000 EUR = 1000 EUR"));
    EXPECT_EQ(convert(QStringLiteral("12,5"), "EUR", "USD"),
              QStringLiteral("A comma in the amount may only separate thousands, as in 1,000 or "
                             "12,500; write a fraction with a point, as in 12.5."));
    EXPECT_EQ(convert(QStringLiteral("abc"), "EUR", "USD"),
              QStringLiteral("The amount must be a plain number, such as 250, 12.5 or 1,000."));
    EXPECT_EQ(convert(QStringLiteral("1"), "US$", "EUR"),
              QStringLiteral("Choose a currency to convert from and one to convert to."));
    EXPECT_EQ(convert(QStringLiteral("0"), "usd", "ILS"),
              QStringLiteral("0 USD = 0 ILS (market rates of 2026-09-29)"));
}

}  // namespace
}  // namespace tolvane
