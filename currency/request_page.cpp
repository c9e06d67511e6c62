#include "currency/request_page.h"

namespace tolvane {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kValueField = QStringLiteral("    <input name=value type=hidden value=");
const QString kFromField = QStringLiteral("    <input name=exch type=hidden value=");
const QString kToField = QStringLiteral("    <input name=expr type=hidden value=");

bool standsUnquoted(const QString& value) {
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        const bool safe = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                          (u >= u'0' && u <= u'9') || u == u'.' || u == u',' || u == u'-' ||
                          u == u'+';
        if (!safe)
            return false;
    }
    return true;
}

QString attributeValue(const QString& value) {
    if (standsUnquoted(value))
        return value;
    QString quoted = value;
    quoted.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
    return u'"' + quoted + u'"';
}

// Replaces the value of the one field whose line starts with fieldStart, up to the line's ">".
void fillField(QString& page, const QString& fieldStart, const QString& value) {
    const qsizetype start = page.indexOf(kCrLf + fieldStart);
    if (start < 0)
        return;
    const qsizetype valueStart = start + kCrLf.size() + fieldStart.size();
    const qsizetype lineEnd = page.indexOf(QStringLiteral(">") + kCrLf, valueStart);
    if (lineEnd < 0)
        return;
    page.replace(valueStart, lineEnd - valueStart, attributeValue(value));
}

}  // namespace

QString requestPageTemplate(const QString& converterAddress) {
    const QString lines[] = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<title>Untitled Document</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body bgcolor=\"#FFFFFF\" onLoad=\"javascript:document.dolar.submit()\">"),
        QString(),
        QStringLiteral("  <form name=dolar action=") + converterAddress +
            QStringLiteral(" enctype=x-www-form-encoded method=post>"),
        QStringLiteral("    <input name=lang type=hidden value=en>"),
        QStringLiteral("    <input name=user type=hidden value=roamguide>"),
        QStringLiteral("    <input name=level type=hidden value=release>"),
        QStringLiteral("    <input name=date_fmt type=hidden value=normal>"),
        kValueField + QStringLiteral("1>"),
        kFromField + QStringLiteral("USD>"),
        kToField + QStringLiteral("ILS>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    QString page;
    for (const QString& line : lines)
        page += line + kCrLf;
    return page;
}

QString buildRequestPage(const QString& pageTemplate, const QString& amount,
                         const QString& fromCode, const QString& toCode) {
    QString page = pageTemplate;
    if (page.endsWith(kCrLf))
        page.chop(kCrLf.size());
    // From the last field up, so that no value filled in can be taken for a later field.
    fillField(page, kToField, toCode);
    fillField(page, kFromField, fromCode);
    fillField(page, kValueField, amount);
    return page;
}

}  // namespace tolvane
