#include "currency/rate_page.h"

#include <climits>
#include <cmath>

namespace tolvane {
namespace {

constexpr QStringView kFailedPageStart = u"<HEAD><TITLE>Cannot find server</TITLE>";
constexpr QStringView kResultStart = u"<P><BIG>";
constexpr QStringView kResultEnd = u"</BIG>";

std::optional<double> number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

ProgressFigures progressFigures(const QString& progress, const QString& maximum) {
    ProgressFigures figures;
    const std::optional<double> p = number(progress);
    const std::optional<double> m = number(maximum);
    if (!p || !m || *m == 0)
        return figures;
    figures.barTwips = static_cast<float>(5835.0 / 100 * (*p * 10) / (*m / 10));
    // Halves go to the even neighbour, as the display has always rounded.
    const double percent = std::nearbyint(*p * 10 / (*m / 10));
    if (std::isfinite(percent) && percent >= INT_MIN && percent <= INT_MAX)
        figures.percent = QString::number(static_cast<int>(percent)) + u'%';
    return figures;
}

QString numberedFailure(int number, const QString& description, const QString& homePage) {
    return QStringLiteral("תקלה מ''ס ") + QString::number(number) + QStringLiteral(", ") +
           description + QStringLiteral(", אם תקלה זה נמשכת אנא פנה לאתר:\r\n") + homePage;
}

AnswerReading readAnswer(const DocumentMarkup& markup, const QString& homePage) {
    if (!markup.read)
        return {numberedFailure(markup.errorNumber, markup.errorDescription, homePage)};
    const QString& text = markup.text;
    if (text.isEmpty() || text.startsWith(kFailedPageStart)) {
        return {QStringLiteral("לא היה ניתן להקים קשר עם השרת. בדוק את ההתחברות שלך לאינטרנט. "
                               "אם בעיה זה נמשכת אנא פנה לאתר: ") +
                homePage + QStringLiteral(" לעזרה נוספת.")};
    }
    const qsizetype start = text.indexOf(kResultStart);
    if (start >= 0) {
        const qsizetype valueStart = start + kResultStart.size();
        const qsizetype end = text.indexOf(kResultEnd, valueStart);
        if (end >= 0)
            return {text.mid(valueStart, end - valueStart), true};
    }
    return {QStringLiteral("תקלה מ''ס 10101, אם תקלה זה נמשכת אנא פנה לאתר:\r\n") + homePage};
}

}  // namespace tolvane
