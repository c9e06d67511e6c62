#include "shortcuts/shortcut_record.h"

namespace tolvane {

ShortcutColumns pairLines(const QStringList& lines) {
    ShortcutColumns columns;
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        columns.names.append(lines.at(i));
        columns.targets.append(lines.value(i + 1));
    }
    return columns;
}

QStringList fileLines(const ShortcutColumns& columns) {
    QStringList lines;
    for (qsizetype i = 0; i < columns.names.size(); ++i) {
        lines.append(columns.names.at(i));
        lines.append(columns.targets.value(i));
    }
    return lines;
}

QString cleanShortcutText(const QString& text) {
    QString clean = text;
    clean.remove(u'\r');
    clean.remove(u'\n');
    qsizetype end = clean.size();
    while (end > 0 && clean.at(end - 1) == u' ')
        --end;
    qsizetype start = 0;
    while (start < end && clean.at(start) == u' ')
        ++start;
    return clean.sliced(start, end - start);
}

QString literalMenuCaption(const QString& name) {
    QString caption = name;
    caption.replace(u'&', QStringLiteral("&&"));
    // A tab would push the rest of the name into the menu's shortcut column.
    caption.replace(u'\t', u' ');
    return caption;
}

}  // namespace tolvane
