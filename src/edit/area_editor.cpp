#include "edit/area_editor.h"

#include "edit/area_cells.h"

void AreaEditor::setEditing(bool on) {
    if (editing_ == on)
        return;
    editing_ = on;
    changed(Change::Editing);
}

void AreaEditor::setCursor(AreaCursor cursor) {
    if (cursor.x == cursor_.x && cursor.y == cursor_.y)
        return;
    cursor_ = cursor;
    changed(Change::Cursor);
}

void AreaEditor::setLevel(int level) {
    const auto clamped =
        static_cast<std::int8_t>(level < 0 ? 0 : level > kGridSize - 1 ? kGridSize - 1 : level);
    if (clamped == level_)
        return;
    level_ = clamped;
    changed(Change::Level);
}

bool AreaEditor::clickAtCursor(bool box) {
    if (!onGrid(cursor_.x) || !onGrid(cursor_.y) || !onGrid(level_))
        return false;
    if (box)
        toggleAreaBox(area_, cursor_.x, cursor_.y, level_);
    else
        toggleAreaCell(area_, cursor_.x, cursor_.y, level_);
    updateAreaOutline(area_);
    changed(Change::Cells);
    return true;
}

void AreaEditor::clear() {
    clearArea(area_);
    changed(Change::Cells);
}
