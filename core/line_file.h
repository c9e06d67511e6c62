#pragma once

#include "core/code_page.h"

#include <QStringList>

namespace tolvane {

// Plain text files of lines, as the program keeps its lists: every line ends with CR LF, the
// text in the code page. Text the code page cannot hold is written as UTF-8 behind a
// byte-order mark instead, and such a file reads back as UTF-8.
QStringList decodeLines(const QByteArray& bytes, const CodePage& codePage);
QByteArray encodeLines(const QStringList& lines, const CodePage& codePage);

struct LineFileRead {
    enum class Status { Read, Missing, Unreadable };
    Status status;
    QStringList lines;
};
LineFileRead readLineFile(const QString& path, const CodePage& codePage);
// Replaces the file whole; false when nothing was written, the old file then left as it was.
bool writeLineFile(const QString& path, const QStringList& lines, const CodePage& codePage);

// A file of that name in the folder, whether or not the folder ends with a separator.
QString fileInFolder(const QString& folder, const QString& name);

}  // namespace tolvane
