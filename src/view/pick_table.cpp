#include "view/pick_table.h"

#include "view/handle_colours.h"

namespace {

// The minus handles have no 255 either, so they are kept out by name.
bool isHandleColour(Rgb c) {
    return c == kMoveMinusX || c == kMoveMinusY || c == kMoveMinusZ || c == kRotateOtherWay;
}

} // namespace

void PickTable::resetPickTable(int capacity) {
    for (const Entry& e : entries_)
        used_[pack(e.colour)] = false;
    entries_.clear();
    entries_.reserve(capacity > 0 ? capacity : 0);
}

int PickTable::nextRandom() {
    randomState_ = randomState_ * 214013u + 2531011u;
    return static_cast<int>((randomState_ >> 16) & 0x7FFF);
}

Rgb PickTable::assignPickColour(std::uintptr_t payload) {
    auto component = [this] {
        return static_cast<std::uint8_t>(static_cast<double>(nextRandom()) / 32767.0 * 255.0);
    };
    Rgb c;
    for (;;) {
        c.r = component();
        c.g = component();
        c.b = component();
        if (c.r == 255 || c.g == 255 || c.b == 255 || isHandleColour(c) || used_[pack(c)])
            continue;
        break;
    }
    used_[pack(c)] = true;
    entries_.push_back({payload, c});
    return c;
}

std::uintptr_t PickTable::findPickColour(Rgb colour) const {
    if (!used_[pack(colour)])
        return 0;
    for (const Entry& e : entries_)
        if (e.colour == colour)
            return e.payload;
    return 0;
}
