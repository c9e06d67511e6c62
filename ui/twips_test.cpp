#include "ui/twips.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(Twips, ConvertWithTheScreensFactor) {
    EXPECT_EQ(twipsToPixels(4710, 15.0), 314);
    EXPECT_EQ(twipsToPixels(2175, 15.0), 145);
    EXPECT_EQ(twipsToPixels(-90, 15.0), -6);
    EXPECT_EQ(twipsToPixels(4710, 7.5), 628);  // 192 dpi
    EXPECT_EQ(twipsToPixels(255, 15.0), 17);
}

TEST(Twips, TheOffscreenScreenHas96Dpi) {
    EXPECT_DOUBLE_EQ(screenTwipsPerPixel(), 15.0);
    EXPECT_EQ(twipsRect(120, 240, 4455, 255), QRect(8, 16, 297, 17));
}

}  // namespace
}  // namespace tolvane
