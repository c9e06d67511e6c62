// The list files as they come from disk, and the lines a user may type into them. Whatever is
// read must write back to a file that reads the same; a file in the code page with CR LF line
// ends writes back byte for byte.
#include "core/line_file.h"
#include "core/windows_1255.h"
#include "testing/fuzz_check.h"

#include <cstddef>
#include <cstdint>

namespace {

const tolvane::Windows1255 kCodePage;
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

// Whether every line of the bytes ends with CR LF, as the program writes them.
bool hasOnlyCrLfEnds(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
    }
    return bytes.isEmpty() || bytes.endsWith('\n');
}

void checkRead(const QByteArray& bytes) {
    const QStringList lines = tolvane::decodeLines(bytes, kCodePage);
    for (const QString& line : lines)
        tolvane::fuzzCheck(!line.contains(u'\r') && !line.contains(u'\n'),
                           "no line holds a line end");

    const QByteArray written = tolvane::encodeLines(lines, kCodePage);
    tolvane::fuzzCheck(tolvane::decodeLines(written, kCodePage) == lines,
                       "a file read and written back reads the same");
    if (!bytes.startsWith(kUtf8Mark)) {
        tolvane::fuzzCheck(kCodePage.fromUnicode(kCodePage.toUnicode(bytes)) == bytes,
                           "the code page reads and writes every byte back");
        if (hasOnlyCrLfEnds(bytes))
            tolvane::fuzzCheck(written == bytes, "a file as the program writes it stays as it is");
    }
}

// The lines of a list as typed: any text but a line end.
void checkWritten(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line.remove(u'\r');
    tolvane::fuzzCheck(
        tolvane::decodeLines(tolvane::encodeLines(lines, kCodePage), kCodePage) == lines,
        "typed lines written read back as typed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkRead(bytes);
    checkWritten(QString::fromUtf8(bytes));
    checkWritten(kCodePage.toUnicode(bytes));
    return 0;
}
