#include "site/rate_files.h"
#include "site/csv_records.h"
#include "site/ecb_calendar.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

QByteArray resource(const char* name) {
    QFile file(QStringLiteral(":/tolvane/site/data/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

constexpr QByteArrayView kHistory =
    "Date,USD,GBP,ROL,\n"
    "2026-02-20,1.1767,0.8728,N/A,\n"
    "2026-02-19,1.1753,0.8738,N/A,\n"
    "2005-06-30,1.2076,0.6656,36030,\n";

QByteArray daily(QByteArrayView cubes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
           "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
           "<gesmes:subject>Reference rates</gesmes:subject>\n<Cube>\n" +
           cubes.toByteArray() + "</Cube>\n</gesmes:Envelope>\n";
}

const QByteArray kDay =
    "<Cube time='2026-12-08'><Cube currency='USD' rate='1.2034'/>"
    "<Cube currency='JPY' rate='181.5'/></Cube>\n";

TEST(EcbHistory, ShippedFileKeepsEachCurrencysNewestDay) {
    const auto table = parseEcbHistory(resource("eurofxref-hist.csv"));
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->codes().size(), 41);
    EXPECT_EQ(table->newestDay(), QDate(2026, 2, 20));
    const auto usd = table->pair(QStringLiteral("USD"), QStringLiteral("EUR"));
    ASSERT_TRUE(usd.has_value());
    EXPECT_EQ(usd->from->figure, "1.1767");
    EXPECT_EQ(usd->to, nullptr) << "the euro is one";
    // Ended series keep their last day, and a pair with one is taken on that day.
    const auto rub = table->pair(QStringLiteral("RUB"), QStringLiteral("USD"));
    ASSERT_TRUE(rub.has_value());
    EXPECT_EQ(rub->day, QDate(2022, 3, 1));
    EXPECT_EQ(table->pair(QStringLiteral("HRK"), QStringLiteral("EUR"))->from->figure, "7.5365");
    EXPECT_EQ(table->pair(QStringLiteral("TRL"), QStringLiteral("EUR"))->day, QDate(2004, 12, 31));
    EXPECT_EQ(table->pair(QStringLiteral("BGN"), QStringLiteral("GBP"))->day, QDate(2025, 12, 31));
    EXPECT_FALSE(table->pair(QStringLiteral("XAU"), QStringLiteral("EUR")).has_value());
}

TEST(EcbHistory, NewestQuoteWinsWhateverTheRowOrderAndNaIsSkipped) {
    const auto table = parseEcbHistory(kHistory);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->pair(QStringLiteral("GBP"), QStringLiteral("EUR"))->from->figure, "0.8728");
    const auto rol = table->pair(QStringLiteral("ROL"), QStringLiteral("GBP"));
    ASSERT_TRUE(rol.has_value());
    EXPECT_EQ(rol->day, QDate(2005, 6, 30));
    EXPECT_EQ(rol->from->figure, "36030");
    EXPECT_EQ(rol->to->figure, "0.6656") << "both sides from the same day";
}

TEST(QuoteTable, APairTakesTheOlderNewestDayOnlyIfItQuotesBoth) {
    QuoteTable table;
    table.takeDay(QDate(2026, 2, 19), {{QStringLiteral("USD"), "1.1"}, {QStringLiteral("ISK"), "140"}});
    table.takeDay(QDate(2026, 2, 20), {{QStringLiteral("USD"), "1.2"}});
    table.takeDay(QDate(2026, 2, 18), {{QStringLiteral("JPY"), "180"}});
    table.takeDay(QDate(2026, 2, 20), {{QStringLiteral("USD"), "9.9"}});  // same day: no change
    EXPECT_EQ(table.pair(QStringLiteral("EUR"), QStringLiteral("USD"))->to->figure, "1.2");
    const auto isk = table.pair(QStringLiteral("USD"), QStringLiteral("ISK"));
    ASSERT_TRUE(isk.has_value());
    EXPECT_EQ(isk->day, QDate(2026, 2, 19));
    EXPECT_EQ(isk->from->figure, "1.1");
    // JPY's only day has no dollar: the source has no common day for the pair.
    EXPECT_FALSE(table.pair(QStringLiteral("USD"), QStringLiteral("JPY")).has_value());
    EXPECT_FALSE(table.pair(QStringLiteral("EUR"), QStringLiteral("EUR")).has_value());
}

TEST(EcbHistory, DamagedFilesAreRefusedWhole) {
    const QByteArray good = kHistory.toByteArray();
    // Cut inside the last line.
    EXPECT_FALSE(parseEcbHistory(good.first(good.size() - 10)));
    QByteArray badValue = good;
    badValue.replace("0.8738", "0.87.38");
    EXPECT_FALSE(parseEcbHistory(badValue));
    QByteArray zero = good;
    zero.replace("0.8738", "0.000");
    EXPECT_FALSE(parseEcbHistory(zero));
    QByteArray badDate = good;
    badDate.replace("2026-02-19", "2026-02-30");
    EXPECT_FALSE(parseEcbHistory(badDate));
    QByteArray duplicateColumn = good;
    duplicateColumn.replace("ROL", "USD");
    EXPECT_FALSE(parseEcbHistory(duplicateColumn));
    EXPECT_FALSE(parseEcbHistory("Date,USD,\n"));
    EXPECT_FALSE(parseEcbHistory(""));
    EXPECT_FALSE(parseEcbHistory("\x89PNG\r\n\x1a\n"));
}

TEST(EcbDaily, ReadsOneDaysRates) {
    const auto file = parseEcbDaily(daily(kDay));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->day, QDate(2026, 12, 8));
    EXPECT_EQ(file->quotes, (DayQuotes{{QStringLiteral("USD"), "1.2034"},
                                       {QStringLiteral("JPY"), "181.5"}}));
}

TEST(EcbDaily, MalformedOrPartialFilesGiveNothing) {
    const QByteArray whole = daily(kDay);
    for (const qsizetype cut : {whole.size() - 5, whole.size() / 2, qsizetype{10}}) {
        EXPECT_FALSE(parseEcbDaily(whole.first(cut))) << cut;
    }
    EXPECT_FALSE(parseEcbDaily(daily("")));
    EXPECT_FALSE(parseEcbDaily(daily(kDay + kDay))) << "two days";
    EXPECT_FALSE(parseEcbDaily(daily("<Cube currency='USD' rate='1.2'/>"))) << "no day";
    EXPECT_FALSE(
        parseEcbDaily(daily("<Cube time='2026-12-08'><Cube currency='USD' "
                            "rate='-1.2'/></Cube>")));
    EXPECT_FALSE(
        parseEcbDaily(daily("<Cube time='2026-12-08'><Cube currency='usd' "
                            "rate='1.2'/></Cube>")));
    EXPECT_FALSE(
        parseEcbDaily(daily("<Cube time='yesterday'><Cube currency='USD' "
                            "rate='1.2'/></Cube>")));
    EXPECT_FALSE(
        parseEcbDaily(daily("<Cube time='2026-12-08'><Cube currency='USD' rate='1'/>"
                            "<Cube currency='USD' rate='2'/></Cube>")));
    EXPECT_FALSE(parseEcbDaily("<!DOCTYPE x [<!ENTITY a \"1.2\">]>" + daily(kDay)));
    EXPECT_FALSE(parseEcbDaily("<html><body>Service unavailable</body></html>"));
}

TEST(MarketRates, ShippedSnapshotAndPegs) {
    const auto market = parseMarketRates(resource("market-rates.csv"));
    ASSERT_TRUE(market.has_value());
    EXPECT_EQ(market->codes().size(), 164);
    EXPECT_EQ(market->newestDay(), QDate(2026, 9, 29));
    EXPECT_EQ(market->pair(QStringLiteral("XAU"), QStringLiteral("EUR"))->from->figure,
              "0.0002751379");
    const auto pegs = parseEuroPegs(resource("euro-pegs.csv"));
    ASSERT_TRUE(pegs.has_value());
    EXPECT_EQ(pegs->size(), 7);
    EXPECT_EQ(pegs->value(QStringLiteral("CVE")).unitsPerEur, "110.265");
    EXPECT_EQ(pegs->value(QStringLiteral("STN")).since, QDate(2010, 1, 1));
    const auto fixed = parseEuroFixedRates(resource("euro-fixed-rates.csv"));
    ASSERT_TRUE(fixed.has_value());
    EXPECT_EQ(fixed->size(), 21);
    EXPECT_EQ(fixed->value(QStringLiteral("GRD")).unitsPerEur, "340.750");

    const QByteArray header = "code,units_per_eur,date\n";
    EXPECT_FALSE(parseMarketRates(header));
    EXPECT_FALSE(parseMarketRates(header + "USD,1.1,2026-09-29\nUSD,1.2,2026-09-29\n"));
    EXPECT_FALSE(parseMarketRates(header + "EUR,1,2026-09-29\n"));
    EXPECT_FALSE(parseMarketRates(header + "USD,0,2026-09-29\n"));
    EXPECT_FALSE(parseMarketRates(header + "USD,1.1\n"));
    EXPECT_FALSE(parseEuroPegs("code,units_per_eur,since,authority\nXOF,655.957,1999-01-01,a\n"
                               "XOF,655.957,1999-01-01,b\n"));
}

TEST(MarketFeed, KeepsTheKnownCodesWithTheFeedsDigits) {
    const QSet<QString> known{QStringLiteral("USD"), QStringLiteral("XAU"), QStringLiteral("LBP")};
    const auto file = parseMarketFeed(
        R"({"date": "2026-12-08", "eur": {"usd": 1.13607202, "xau": 0.0000275, "lbp":
            101923.41060752, "btc": 0.00001, "dem": 1.95583, "1inch": 4, "Usd": 2}})",
        known);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->day, QDate(2026, 12, 8));
    EXPECT_EQ(file->quotes, (DayQuotes{{QStringLiteral("USD"), "1.13607202"},
                                       {QStringLiteral("XAU"), "0.0000275"},
                                       {QStringLiteral("LBP"), "101923.41060752"}}));
    // A bad entry is left out; a file with nothing usable, or no day, gives nothing.
    EXPECT_EQ(parseMarketFeed(R"({"date":"2026-12-08","eur":{"usd":-1,"xau":"1","lbp":2}})", known)
                  ->quotes.keys(),
              QList<QString>{QStringLiteral("LBP")});
    const QByteArray whole = R"({"date": "2026-12-08", "eur": {"usd": 1.1}})";
    for (const QByteArray& bad :
         {whole.first(whole.size() - 2), QByteArray(R"({"eur": {"usd": 1.1}})"),
          QByteArray(R"({"date": "2026-13-08", "eur": {"usd": 1.1}})"),
          QByteArray(R"({"date": "2026-12-08", "eur": {"btc": 1.1}})"),
          QByteArray(R"({"date": "2026-12-08", "eur": [1.1]})"), QByteArray("<html/>")}) {
        EXPECT_FALSE(parseMarketFeed(bad, known)) << bad.toStdString();
    }
}

TEST(Redenominations, ShippedFileDropsTheAmbiguousCodeAndNamesItsSuccessors) {
    const auto links = parseRedenominations(resource("redenominations.csv"));
    ASSERT_TRUE(links.has_value());
    EXPECT_FALSE(links->links.contains(QStringLiteral("CSK")));
    EXPECT_EQ(links->ambiguous.value(QStringLiteral("CSK")),
              (QStringList{QStringLiteral("CZK"), QStringLiteral("SKK")}));
    EXPECT_EQ(links->ambiguous.size(), 1);
    const Redenomination trl = links->links.value(QStringLiteral("TRL"));
    EXPECT_EQ(trl.successor, QStringLiteral("TRY"));
    EXPECT_EQ(trl.oldUnitsPerNew, "1000000");
    EXPECT_EQ(links->links.value(QStringLiteral("SUR")).since, QStringLiteral("1998"));
    const auto twice = parseRedenominations(
        "old_code,new_code,old_units_per_new,effective_date,source\n"
        "AAA,BBB,10,2000,x\nAAA,BBB,10,2000,y\nCCC,DDD,10,2000,x\nCCC,DDD,100,2000,y\n");
    ASSERT_TRUE(twice.has_value());
    EXPECT_TRUE(twice->links.contains(QStringLiteral("AAA"))) << "repeated alike: one link";
    EXPECT_FALSE(twice->links.contains(QStringLiteral("CCC"))) << "two ratios: none";
}

TEST(CsvRecords, QuotedFieldsHoldCommasAndQuotes) {
    const auto records = parseCsvRecords("a,\"b, \"\"c\"\"\",\r\n\nd\n");
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), 2);
    EXPECT_EQ(records->at(0), (QList<QByteArray>{"a", "b, \"c\"", ""}));
    EXPECT_EQ(records->at(1), QList<QByteArray>{"d"});
    EXPECT_FALSE(parseCsvRecords("a,\"open\n"));
    EXPECT_FALSE(parseCsvRecords("a,\"closed\"stray\n"));
}

QDateTime utc(int year, int month, int day, int hour) {
    return {QDate(year, month, day), QTime(hour, 0), Qt::UTC};
}

TEST(EcbCalendar, PublicationDaySkipsWeekendsHolidaysAndTheHoursBeforePublication) {
    EXPECT_EQ(lastEcbPublicationDay(utc(2026, 2, 20, 16)), QDate(2026, 2, 20));
    EXPECT_EQ(lastEcbPublicationDay(utc(2026, 2, 20, 9)), QDate(2026, 2, 19));
    EXPECT_EQ(lastEcbPublicationDay(utc(2026, 2, 22, 18)), QDate(2026, 2, 20));  // Sunday
    // Easter 2026 is 5 April: Good Friday and Easter Monday are closed.
    EXPECT_EQ(lastEcbPublicationDay(utc(2026, 4, 6, 18)), QDate(2026, 4, 2));
    EXPECT_EQ(lastEcbPublicationDay(utc(2027, 1, 1, 18)), QDate(2026, 12, 31));
    EXPECT_EQ(lastEcbPublicationDay(utc(2026, 12, 28, 10)), QDate(2026, 12, 24));
}

}  // namespace
}  // namespace tolvane
