#pragma once

#include <QStringList>

namespace tolvane {

// The shortcut list as its two columns, a display name and a target per record.
struct ShortcutColumns {
    QStringList names;
    QStringList targets;
};

// Two file lines per record; an odd last line is a name with an empty target.
ShortcutColumns pairLines(const QStringList& lines);
QStringList fileLines(const ShortcutColumns& columns);

// A name or target as the user typed or pasted it, made one clean line: every CR and LF
// dropped, then spaces (and only spaces) trimmed at both ends.
QString cleanShortcutText(const QString& text);

// The menu shows a display name as it stands: no access key, no shortcut column.
QString literalMenuCaption(const QString& name);

}  // namespace tolvane
