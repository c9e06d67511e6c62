#pragma once

#include <QString>

namespace tolvane {

// The browser window's layout rules work on its outer size, frame and caption included, as the
// window was drawn with: the client area and this much more.
inline constexpr int kFrameWidthTwips = 120;
inline constexpr int kFrameHeightTwips = 405;
// The smallest outer size the window keeps.
inline constexpr int kMinimumOuterWidthTwips = 4920;
inline constexpr int kMinimumOuterHeightTwips = 4005;

// Where the controls that follow the window's size go, for an outer size in twips.
struct BrowserLayout {
    // The outer size, grown to the minimum.
    int width = 0;
    int height = 0;
    int goLeft = 0;
    int addressWidth = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int slotButtonsTop = 0;
    int statusWidth = 0;
    int statusTop = 0;
};
BrowserLayout browserLayout(int outerWidth, int outerHeight);

// The caption the window sets when it switches to a slot (0 to 4): "דפדפן - חלון מ''ס: 3.".
QString slotCaption(int slot);
// The caption it opens with, which writes the abbreviation with a double quote.
QString designCaption();

}  // namespace tolvane
