#include "edit/block_edits.h"

#include <algorithm>

#include "edit/area.h"
#include "edit/edit_step.h"

namespace {

std::uint8_t turned(std::uint8_t rotation, int steps) {
    return static_cast<std::uint8_t>(rotation + steps) & 3;
}

} // namespace

const BlockRecord* appendBlock(TrackDocument& document, std::optional<BlockRecord> record) {
    if (!record)
        return nullptr;
    EditStep step(document, "Add");
    return step.append(std::move(*record));
}

std::optional<BlockRecord> removeBlock(TrackDocument& document, const BlockRecord* record) {
    if (!record || !document.holds(record))
        return std::nullopt;
    std::optional<BlockRecord> removed = *record;
    removed->flags &= ~BLOCK_SELECTED;
    // The node itself stays with the step, so that undo can put it back.
    EditStep step(document, "Delete");
    step.remove(*record);
    return removed;
}

void moveSelection(TrackDocument& document, int dx, int dy, int dz, const std::string& gesture) {
    if (document.selection().empty())
        return;
    EditStep step(document, "Move", gesture);
    for (const BlockRecord* member : document.selection().members()) {
        BlockRecord& record = step.change(*member);
        record.x = wrap8(record.x + dx);
        record.y = wrap8(record.y + dy);
        record.z = wrap8(record.z + dz);
    }
}

void rotateSelection(TrackDocument& document, int steps, const std::string& gesture) {
    if (document.selection().empty())
        return;
    EditStep step(document, "Turn", gesture);
    for (const BlockRecord* member : document.selection().members()) {
        BlockRecord& record = step.change(*member);
        record.rotation = turned(record.rotation, steps);
    }
}

void rotateSelectionGroup(TrackDocument& document, int sense, const std::string& gesture) {
    if (document.selection().empty())
        return;
    EditStep step(document, "Turn", gesture);
    int minX = 32, minY = 32, maxX = 0, maxY = 0;
    for (const BlockRecord* member : document.selection().members()) {
        BlockRecord& record = step.change(*member);
        record.rotation = turned(record.rotation, sense);
        minX = std::min<int>(minX, record.x);
        maxX = std::max<int>(maxX, record.x);
        minY = std::min<int>(minY, record.y);
        maxY = std::max<int>(maxY, record.y);
    }
    double cx = (maxX + minX) / 2.0;
    double cy = (maxY + minY) / 2.0;
    for (const BlockRecord* member : document.selection().members()) {
        BlockRecord& record = step.change(*member);
        double dx = record.x - cx;
        double dy = record.y - cy;
        // Truncation toward zero, then the low 8 bits.
        int newY = static_cast<int>(cy + sense * dx);
        int newX = static_cast<int>(cx - sense * dy);
        record.x = wrap8(newX);
        record.y = wrap8(newY);
    }
}

void setVariantByte(TrackDocument& document, const BlockRecord& record, int byte,
                    std::uint8_t value, const std::string& gesture) {
    if (byte < 0 || byte > 3 || !document.holds(&record))
        return;
    EditStep step(document, "Change variant of", gesture);
    step.change(record).variant[static_cast<std::size_t>(byte)] = value;
}

void hideSelection(TrackDocument& document) {
    EditStep step(document, "Hide");
    for (const BlockRecord* member : document.selection().members())
        step.change(*member).flags |= BLOCK_HIDDEN;
}

void unhideAll(TrackDocument& document) {
    EditStep step(document, "Unhide");
    for (const BlockRecord& record : document.blocks())
        if (record.flags & BLOCK_HIDDEN)
            step.change(record).flags &= ~BLOCK_HIDDEN;
}

void deleteSelection(TrackDocument& document) {
    if (document.selection().empty())
        return;
    EditStep step(document, "Delete");
    step.removeSelected();
}
