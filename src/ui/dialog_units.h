#pragma once

#include <QFont>
#include <QRect>

// The window layouts are given in dialog units of an 8-point dialog font whose character cell is
// 6 x 13 pixels: one horizontal unit is 1.5 pixels, one vertical unit 1.625 pixels.
QRect dialogRect(int x, int y, int width, int height);
int dialogX(int units);
int dialogY(int units);

// A font of about that cell size, so that captions fit the controls laid out in dialog units.
QFont dialogFont();
