#pragma once

#include <array>

class QDialog;
class QSpinBox;
class QWidget;

// A row of three number fields captioned "X:", "Y:" and "Z:", laid out in dialog units from
// (x, y): an 8-unit caption, then 9 units from its left a 34-unit field, 47 units apart.
std::array<QSpinBox*, 3> makeCellFields(QWidget* dialog, int x, int y, int lowest, int highest);

// "OK" (the default button, accepting) and "Cancel" (rejecting), 50 x 14 units each, the pair
// ending at `right`.
void makeOkCancel(QDialog* dialog, int right, int y);
