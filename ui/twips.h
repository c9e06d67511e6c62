#pragma once

#include <QRect>

namespace tolvane {

// Window layouts are given in twips (1/1440 inch); the screen's factor turns them into
// pixels: 15 twips per pixel at 96 dots per inch.
double screenTwipsPerPixel();
int twipsToPixels(int twips, double twipsPerPixel);
int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

}  // namespace tolvane
