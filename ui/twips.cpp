#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tolvane {

double screenTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int twipsToPixels(int twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

int twipsToPixels(int twips) {
    return twipsToPixels(twips, screenTwipsPerPixel());
}

QRect twipsRect(int left, int top, int width, int height) {
    const double factor = screenTwipsPerPixel();
    return {twipsToPixels(left, factor), twipsToPixels(top, factor), twipsToPixels(width, factor),
            twipsToPixels(height, factor)};
}

QSize twipsSize(int width, int height) {
    const double factor = screenTwipsPerPixel();
    return {twipsToPixels(width, factor), twipsToPixels(height, factor)};
}

}  // namespace tolvane
