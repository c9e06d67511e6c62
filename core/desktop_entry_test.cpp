#include "core/desktop_entry.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(DesktopExecArgument, QuotesAndEscapesReservedCharacters) {
    EXPECT_EQ(desktopExecArgument("/usr/bin/tolvane"), "\"/usr/bin/tolvane\"");
    EXPECT_EQ(desktopExecArgument("/home/דנה/My Apps/tolvane"), "\"/home/דנה/My Apps/tolvane\"");
    // Inside quotes: \" \` \$ \\ ; then the string escape doubles every backslash.
    EXPECT_EQ(desktopExecArgument("/a\"b"), "\"/a\\\\\"b\"");
    EXPECT_EQ(desktopExecArgument("/a`b$c"), "\"/a\\\\`b\\\\$c\"");
    EXPECT_EQ(desktopExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
    // A '%' would start a field code.
    EXPECT_EQ(desktopExecArgument("/100%/tolvane"), "\"/100%%/tolvane\"");
    EXPECT_EQ(desktopExecArgument("/a\nb"), "\"/a\\nb\"");
}

}  // namespace
}  // namespace tolvane
