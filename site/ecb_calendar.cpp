#include "site/ecb_calendar.h"

namespace tolvane {
namespace {

constexpr int kPublicationHourUtc = 15;

// Gregorian Easter Sunday (the anonymous Gregorian algorithm).
QDate easterSunday(int year) {
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = ((h + l - 7 * m + 114) % 31) + 1;
    return {year, month, day};
}

bool isEcbWorkingDay(QDate day) {
    if (day.dayOfWeek() >= Qt::Saturday) {
        return false;
    }
    const QDate easter = easterSunday(day.year());
    const int month = day.month();
    const int dayOfMonth = day.day();
    const bool fixedHoliday = (month == 1 && dayOfMonth == 1) || (month == 5 && dayOfMonth == 1) ||
                              (month == 12 && (dayOfMonth == 25 || dayOfMonth == 26));
    return !fixedHoliday && day != easter.addDays(-2) && day != easter.addDays(1);
}

}  // namespace

QDate lastEcbPublicationDay(const QDateTime& now) {
    const QDateTime utc = now.toUTC();
    QDate day = utc.date();
    if (utc.time().hour() < kPublicationHourUtc) {
        day = day.addDays(-1);
    }
    while (!isEcbWorkingDay(day)) {
        day = day.addDays(-1);
    }
    return day;
}

}  // namespace tolvane
