#include "ui/dialog_units.h"

#include <cmath>

int dialogX(int units) {
    return static_cast<int>(std::lround(units * 1.5));
}

int dialogY(int units) {
    return static_cast<int>(std::lround(units * 1.625));
}

QRect dialogRect(int x, int y, int width, int height) {
    return QRect(dialogX(x), dialogY(y), dialogX(width), dialogY(height));
}

QFont dialogFont() {
    QFont font;
    font.setPixelSize(11);
    return font;
}
