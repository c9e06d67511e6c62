#include "browser/browser_layout.h"

#include <algorithm>

namespace tolvane {

BrowserLayout browserLayout(int outerWidth, int outerHeight) {
    BrowserLayout layout;
    layout.width = std::max(outerWidth, kMinimumOuterWidthTwips);
    layout.height = std::max(outerHeight, kMinimumOuterHeightTwips);
    layout.goLeft = layout.width - 600;
    layout.addressWidth = layout.width - 590;
    layout.pageWidth = layout.width - 105;
    layout.pageHeight = layout.height - 1725;
    layout.slotButtonsTop = layout.height - 870;
    layout.statusWidth = layout.width - 105;
    layout.statusTop = layout.height - 645;
    return layout;
}

QString slotCaption(int slot) {
    return QStringLiteral("דפדפן - חלון מ''ס: ") + QString::number(slot + 1) + u'.';
}

QString designCaption() {
    return QStringLiteral("דפדפן - חלון מ\"ס: 1.");
}

}  // namespace tolvane
