#pragma once

#include <QRect>

class QLabel;
class QPushButton;
class QWidget;

// Both tab pages measure 213 x 314 dialog units.
inline constexpr int kPageWidth = 213;
inline constexpr int kPageHeight = 314;

// A static text on a page; an id of 0 leaves it unnamed.
QLabel* makeLabel(QWidget* page, const char* caption, QRect rect, int id = 0);
// A push button that never becomes the page's default button; an id of 0 leaves it unnamed.
QPushButton* makeButton(QWidget* page, const char* caption, QRect rect, int id = 0);
