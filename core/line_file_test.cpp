#include "core/line_file.h"

#include "core/windows_1255.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tolvane {
namespace {

const Windows1255 kHebrew;

// "קיצור" as the Hebrew Windows code page writes it.
const QByteArray kShortcutBytes = QByteArrayLiteral("\xF7\xE9\xF6\xE5\xF8");
const QString kShortcut = QStringLiteral("קיצור");

TEST(Windows1255Test, HebrewAndEveryOtherByteReadAndWriteBackUnchanged) {
    EXPECT_EQ(kHebrew.toUnicode(kShortcutBytes), kShortcut);
    EXPECT_EQ(kHebrew.toUnicode("\xA4\x80\xE0\xFA"), QStringLiteral("₪€את"));

    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    const QString text = kHebrew.toUnicode(everyByte);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(kHebrew.fromUnicode(text), everyByte);
}

TEST(Windows1255Test, TextOutsideTheCodePageIsRefusedNotGuessed) {
    EXPECT_EQ(kHebrew.fromUnicode(QStringLiteral("Привет")), std::nullopt);
    EXPECT_EQ(kHebrew.fromUnicode(QStringLiteral("a😀")), std::nullopt);
    EXPECT_EQ(kHebrew.fromUnicode(QStringLiteral("ĀB")), std::nullopt);
    // Beside the code page's own characters: U+0080 (its byte is the euro sign's) and past the
    // last of them.
    EXPECT_EQ(kHebrew.fromUnicode(QString(QChar(0x80))), std::nullopt);
    EXPECT_EQ(kHebrew.fromUnicode(QString(QChar(0x2123))), std::nullopt);
    EXPECT_EQ(kHebrew.fromUnicode(QString(QChar(0xFFFF))), std::nullopt);
    EXPECT_EQ(kHebrew.fromUnicode(QString()), QByteArray());
}

TEST(LineCodingTest, EveryLineEndFormEndsALine) {
    const QStringList expected = {"a", "b", "c"};
    EXPECT_EQ(decodeLines("a\r\nb\r\nc\r\n", kHebrew), expected);
    EXPECT_EQ(decodeLines("a\rb\rc\r", kHebrew), expected);
    EXPECT_EQ(decodeLines("a\nb\nc\n", kHebrew), expected);
    EXPECT_EQ(decodeLines("a\r\nb\nc", kHebrew), expected) << "the last line needs no ending";
    EXPECT_EQ(decodeLines("a\n\rb", kHebrew), QStringList({"a", "", "b"}))
        << "LF then CR is two endings";
}

TEST(LineCodingTest, SpacesEmptyLinesAndHebrewAreKeptExactly) {
    const QByteArray bytes = "  Mail \r\n\r\n\t\r\n" + kShortcutBytes + "\r\n";
    EXPECT_EQ(decodeLines(bytes, kHebrew), QStringList({"  Mail ", "", "\t", kShortcut}));
    EXPECT_EQ(decodeLines("", kHebrew), QStringList());
    EXPECT_EQ(decodeLines("\r\n", kHebrew), QStringList({""}));
}

TEST(LineCodingTest, WritesCrLfAfterEveryLineAndNothingElse) {
    EXPECT_EQ(encodeLines({"n1", "t1", "n2", "t2"}, kHebrew), "n1\r\nt1\r\nn2\r\nt2\r\n");
    EXPECT_EQ(encodeLines({}, kHebrew), QByteArray());
    EXPECT_EQ(encodeLines({""}, kHebrew), "\r\n");
    EXPECT_EQ(encodeLines({kShortcut, "C:\\a b\\x.exe"}, kHebrew),
              kShortcutBytes + "\r\nC:\\a b\\x.exe\r\n");
}

TEST(LineCodingTest, TextTheCodePageCannotHoldGoesToUtf8AndReadsBack) {
    const QStringList lines = {kShortcut, QStringLiteral("/home/u/Документы/отчёт.odt"),
                               QStringLiteral("😀")};
    const QByteArray bytes = encodeLines(lines, kHebrew);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(bytes.contains('?'));
    EXPECT_EQ(decodeLines(bytes, kHebrew), lines);
}

TEST(LineCodingTest, AListThatBeginsLikeTheUtf8MarkReadsBackAsWritten) {
    // "ן»¿" is EF BB BF in the code page, the very bytes of the mark.
    for (const QStringList& lines :
         {QStringList{QStringLiteral("ן»¿ שם"), QStringLiteral("/usr/bin/x")},
          QStringList{QStringLiteral("\uFEFFhidden mark"), QStringLiteral("Мир")},
          QStringList{QStringLiteral("\uFEFF")}}) {
        const QByteArray bytes = encodeLines(lines, kHebrew);
        EXPECT_EQ(decodeLines(bytes, kHebrew), lines) << lines.first().toStdString();
    }
    // Not at the start, the same text stays in the code page.
    EXPECT_EQ(encodeLines({"a", QStringLiteral("ן»¿")}, kHebrew), "a\r\n\xEF\xBB\xBF\r\n");
}

class LineFileTest : public testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("SC.Dat")) const {
        return folder.filePath(name);
    }
    QByteArray contents() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    void put(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir folder;
};

TEST_F(LineFileTest, MissingUnreadableAndReadAreTold) {
    EXPECT_EQ(readLineFile(path(), kHebrew).status, LineFileRead::Status::Missing);

    ASSERT_TRUE(QDir(folder.path()).mkdir("SC.Dat"));
    EXPECT_EQ(readLineFile(path(), kHebrew).status, LineFileRead::Status::Unreadable);
    ASSERT_TRUE(QDir(folder.path()).rmdir("SC.Dat"));

    put("x\r\ny\r\n");
    const LineFileRead read = readLineFile(path(), kHebrew);
    EXPECT_EQ(read.status, LineFileRead::Status::Read);
    EXPECT_EQ(read.lines, QStringList({"x", "y"}));
}

TEST_F(LineFileTest, WritingReplacesTheFileButNeverAReadOnlyOne) {
    put("old\r\n");
    EXPECT_TRUE(writeLineFile(path(), {"new"}, kHebrew));
    EXPECT_EQ(contents(), "new\r\n");
    EXPECT_TRUE(writeLineFile(path(), {}, kHebrew));
    EXPECT_EQ(contents(), QByteArray());

    put("kept\r\n");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_FALSE(writeLineFile(path(), {"lost"}, kHebrew));
    EXPECT_EQ(contents(), "kept\r\n");
}

TEST(FileInFolderTest, OneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(fileInFolder("/", "SC.Dat"), "/SC.Dat");
    EXPECT_EQ(fileInFolder("/opt/tolvane", "SC.Dat"), "/opt/tolvane/SC.Dat");
    EXPECT_EQ(fileInFolder("/opt/tolvane/", "SC.Dat"), "/opt/tolvane/SC.Dat");
    EXPECT_EQ(fileInFolder("C:\\", "SC.Dat"), "C:\\SC.Dat");
    EXPECT_EQ(fileInFolder("/ab", "SC.Dat"), "/ab/SC.Dat") << "a short folder is no root";
}

}  // namespace
}  // namespace tolvane
