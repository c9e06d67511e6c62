#include "shortcuts/shortcut_record.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(ShortcutRecordTest, LinesPairIntoRecordsAndBackWithAnOddLastLineKept) {
    const ShortcutColumns columns = pairLines({"a", "1", "", " ", "b"});
    EXPECT_EQ(columns.names, QStringList({"a", "", "b"}));
    EXPECT_EQ(columns.targets, QStringList({"1", " ", ""}));
    EXPECT_EQ(fileLines(columns), QStringList({"a", "1", "", " ", "b", ""}));
    EXPECT_TRUE(pairLines({}).names.isEmpty());
}

TEST(ShortcutRecordTest, CleaningDropsLineBreaksAndOuterSpacesOnly) {
    EXPECT_EQ(cleanShortcutText("  Mail  "), "Mail");
    EXPECT_EQ(cleanShortcutText(" C:\\Mail.exe"), "C:\\Mail.exe");
    EXPECT_EQ(cleanShortcutText("ab\r\ncd"), "abcd");
    EXPECT_EQ(cleanShortcutText("\n a\rb \r"), "ab");
    EXPECT_EQ(cleanShortcutText("    "), "");
    EXPECT_EQ(cleanShortcutText("\tx y\t"), "\tx y\t") << "tabs stay";
    EXPECT_EQ(cleanShortcutText(" \n x"), "x") << "spaces met once the breaks are gone";
}

TEST(ShortcutRecordTest, MenuCaptionsShowTheNameAsItStands) {
    EXPECT_EQ(literalMenuCaption("Tom & Jerry"), "Tom && Jerry");
    EXPECT_EQ(literalMenuCaption("&&"), "&&&&");
    EXPECT_EQ(literalMenuCaption("-"), "-");
    EXPECT_EQ(literalMenuCaption("a\tb"), "a b");
}

}  // namespace
}  // namespace tolvane
