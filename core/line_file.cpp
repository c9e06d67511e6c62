#include "core/line_file.h"

#include "core/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace tolvane {
namespace {

const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

}  // namespace

QStringList decodeLines(const QByteArray& bytes, const CodePage& codePage) {
    // Only the one mark goes: a further one is a character of the first line.
    const QString text =
        bytes.startsWith(kUtf8Mark)
            ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)
                  .decode(bytes.sliced(kUtf8Mark.size()))
            : codePage.toUnicode(bytes);
    // A line ends at CR LF, at a lone CR or at a lone LF; the last line needs no ending.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

QByteArray encodeLines(const QStringList& lines, const CodePage& codePage) {
    const QString text =
        lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    // Code page bytes that begin as the mark does would read back as UTF-8.
    if (const std::optional<QByteArray> bytes = codePage.fromUnicode(text);
        bytes && !bytes->startsWith(kUtf8Mark))
        return *bytes;
    return kUtf8Mark + text.toUtf8();
}

LineFileRead readLineFile(const QString& path, const CodePage& codePage) {
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {LineFileRead::Status::Missing, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {LineFileRead::Status::Unreadable, {}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {LineFileRead::Status::Unreadable, {}};
    return {LineFileRead::Status::Read, decodeLines(bytes, codePage)};
}

bool writeLineFile(const QString& path, const QStringList& lines, const CodePage& codePage) {
    return writeFileAtomically(path, encodeLines(lines, codePage));
}

QString fileInFolder(const QString& folder, const QString& name) {
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

}  // namespace tolvane
