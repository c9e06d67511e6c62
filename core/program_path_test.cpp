#include "core/program_path.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(WindowsProgramPath, ADriveRootGetsNoSecondBackslash) {
    EXPECT_EQ(windowsProgramPath("C:\\", "Tolvane"), "C:\\Tolvane.exe");
    EXPECT_EQ(windowsProgramPath("C:\\Tools", "Tolvane"), "C:\\Tools\\Tolvane.exe");
    EXPECT_EQ(windowsProgramPath("C:\\Program Files\\כלים", "tn"),
              "C:\\Program Files\\כלים\\tn.exe");
    EXPECT_EQ(windowsProgramPath("\\\\server\\share", "Tolvane"), "\\\\server\\share\\Tolvane.exe");
}

}  // namespace
}  // namespace tolvane
