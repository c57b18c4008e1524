#pragma once

#include <cstdint>

#include "edit/area.h"
#include "edit/listeners.h"

// The area of grid cells being built, the cursor cell under the pointer and the cursor level,
// and whether area editing is on. Every change goes through here and is heard by the listeners
// (the Area page, the status line).
class AreaEditor {
  public:
    // What a notification is about.
    enum class Change { Cells, Cursor, Level, Editing };

    const Area& area() const { return area_; }
    const AreaCursor& cursor() const { return cursor_; }
    std::int8_t level() const { return level_; }
    bool editing() const { return editing_; }

    int addListener(std::function<void(Change)> listener) {
        return listeners_.add(std::move(listener));
    }
    void removeListener(int id) { listeners_.remove(id); }

    void setEditing(bool on);
    // The cell under the pointer on the cursor plane; (-1, -1) for none.
    void setCursor(AreaCursor cursor);
    // Clamped to 0..31.
    void setLevel(int level);
    // Toggles the cursor cell, or with box the box from the newest cell up to it. Nothing while
    // the cursor is off the grid; false then.
    bool clickAtCursor(bool box);
    void clear();

  private:
    void changed(Change change) const { listeners_.notify(change); }

    Area area_;
    AreaCursor cursor_;
    std::int8_t level_ = 1;
    bool editing_ = false;
    Listeners<Change> listeners_;
};
