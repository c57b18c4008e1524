#pragma once

#include "edit/editor_context.h"
#include "seams/panels.h"
#include "seams/view_port.h"

// The editing logic runs with or without a toolkit behind it: every call across a seam
// goes through these, which do nothing while the seam is not set.

inline void markLine(EditorContext& ctx, int index, bool marked) {
    if (ctx.panels && index >= 0)
        ctx.panels->markBlockLine(index, marked);
}

inline void unmarkAllLines(EditorContext& ctx) {
    if (ctx.panels)
        ctx.panels->unmarkAllBlockLines();
}

inline void showProperties(EditorContext& ctx, const BlockRecord* record) {
    if (ctx.panels)
        ctx.panels->refreshProperties(record);
}

inline void showAreaCounts(EditorContext& ctx) {
    if (ctx.panels)
        ctx.panels->refreshAreaCounts();
}

inline void showStatus(EditorContext& ctx, const std::string& text) {
    if (ctx.panels)
        ctx.panels->showStatusMessage(text);
}

inline void displayFrame(EditorContext& ctx) {
    if (ctx.viewPort)
        ctx.viewPort->renderFrame(true);
}

// The panel shows a block only while it is the one selected block.
inline void showSingleSelected(EditorContext& ctx) {
    showProperties(ctx, ctx.selection.count() == 1 ? ctx.selection.first() : nullptr);
}
