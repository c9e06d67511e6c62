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

TEST(EcbHistory, ShippedFileGivesEachCurrencysNewestQuote) {
    const auto quotes = parseEcbHistory(resource("eurofxref-hist.csv"));
    ASSERT_TRUE(quotes.has_value());
    EXPECT_EQ(quotes->size(), 41);
    EXPECT_EQ(quotes->value(QStringLiteral("USD")).date, QDate(2026, 2, 20));
    EXPECT_DOUBLE_EQ(quotes->value(QStringLiteral("USD")).unitsPerEur, 1.1767);
    // Ended series keep their last day.
    EXPECT_EQ(quotes->value(QStringLiteral("RUB")).date, QDate(2022, 3, 1));
    EXPECT_EQ(quotes->value(QStringLiteral("HRK")).date, QDate(2022, 12, 30));
    EXPECT_DOUBLE_EQ(quotes->value(QStringLiteral("HRK")).unitsPerEur, 7.5365);
    EXPECT_EQ(quotes->value(QStringLiteral("TRL")).date, QDate(2004, 12, 31));
    EXPECT_EQ(quotes->value(QStringLiteral("BGN")).date, QDate(2025, 12, 31));
}

TEST(EcbHistory, NewestQuoteWinsWhateverTheRowOrderAndNaIsSkipped) {
    const auto quotes = parseEcbHistory(kHistory);
    ASSERT_TRUE(quotes.has_value());
    EXPECT_EQ(quotes->value(QStringLiteral("GBP")).date, QDate(2026, 2, 20));
    EXPECT_EQ(quotes->value(QStringLiteral("GBP")).significantDigits, 4);
    EXPECT_EQ(quotes->value(QStringLiteral("ROL")).date, QDate(2005, 6, 30));
    EXPECT_DOUBLE_EQ(quotes->value(QStringLiteral("ROL")).unitsPerEur, 36030);
}

TEST(EcbHistory, DamagedFilesAreRefusedWhole) {
    const QByteArray good = kHistory.toByteArray();
    // Cut inside the last line.
    EXPECT_FALSE(parseEcbHistory(good.first(good.size() - 10)));
    QByteArray badValue = good;
    badValue.replace("0.8738", "0.87.38");
    EXPECT_FALSE(parseEcbHistory(badValue));
    QByteArray zero = good;
    zero.replace("0.8738", "0");
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
    const auto quotes = parseEcbDaily(daily(kDay));
    ASSERT_TRUE(quotes.has_value());
    EXPECT_EQ(quotes->size(), 2);
    EXPECT_EQ(quotes->value(QStringLiteral("JPY")).date, QDate(2026, 12, 8));
    EXPECT_DOUBLE_EQ(quotes->value(QStringLiteral("USD")).unitsPerEur, 1.2034);
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

TEST(EuroFixedRates, ShippedFileKeepsTheOfficialDigits) {
    const auto rates = parseEuroFixedRates(resource("euro-fixed-rates.csv"));
    ASSERT_TRUE(rates.has_value());
    EXPECT_EQ(rates->size(), 21);
    EXPECT_DOUBLE_EQ(rates->value(QStringLiteral("DEM")).unitsPerEur, 1.95583);
    EXPECT_EQ(rates->value(QStringLiteral("GRD")).significantDigits, 6);  // 340.750
    EXPECT_EQ(rates->value(QStringLiteral("BGN")).date, QDate(2026, 1, 1));
    EXPECT_FALSE(parseEuroFixedRates("code,units_per_eur,effective_date\nDEM,1.95583\n"));
}

TEST(Redenominations, ShippedFileDropsTheAmbiguousCodeOnly) {
    const auto links = parseRedenominations(resource("redenominations.csv"));
    ASSERT_TRUE(links.has_value());
    EXPECT_FALSE(links->contains(QStringLiteral("CSK")));  // two successors
    ASSERT_TRUE(links->contains(QStringLiteral("ZMK")));   // listed twice, identically
    const Redenomination trl = links->value(QStringLiteral("TRL"));
    EXPECT_EQ(trl.successor, QStringLiteral("TRY"));
    EXPECT_DOUBLE_EQ(trl.oldUnitsPerNew, 1000000);
    EXPECT_EQ(trl.significantDigits, 0);
    EXPECT_EQ(links->value(QStringLiteral("ADP")).significantDigits, 6);
    EXPECT_EQ(links->value(QStringLiteral("SUR")).since, QStringLiteral("1998"));
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

TEST(EcbCalendar, RefreshIsDueOncePerDayAndOnlyForOldRates) {
    const QDateTime friday = utc(2026, 2, 20, 17);
    EXPECT_TRUE(dailyRatesRefreshDue(QDate(2026, 2, 19), QDate(), friday));
    EXPECT_FALSE(dailyRatesRefreshDue(QDate(2026, 2, 20), QDate(), friday));
    EXPECT_FALSE(dailyRatesRefreshDue(QDate(2026, 2, 19), friday.toLocalTime().date(), friday));
    EXPECT_FALSE(dailyRatesRefreshDue(QDate(2026, 2, 20), QDate(), utc(2026, 2, 22, 12)));
}

}  // namespace
}  // namespace tolvane
