#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "document_blocks.h"
#include "edit/editor_context.h"
#include "seams/view_port.h"
#include "view/pick_table.h"

// The block list and the properties panel as a page keeps them from the document's
// notifications alone: one mark per line, lines refilled when blocks come or go, the panel
// showing the one selected block.
class ListFollower {
  public:
    explicit ListFollower(TrackDocument& document) : document_(document) {
        id_ = document_.addListener([this](const DocumentChange& change) { heard(change); });
        refill();
    }
    ~ListFollower() { document_.removeListener(id_); }

    std::vector<bool> marks;
    std::vector<DocumentChange> heardChanges;
    int refills = 0;
    std::optional<const BlockRecord*> shown; // none until the panel is first set

    std::vector<int> markedLines() const {
        std::vector<int> lines;
        for (int i = 0; i < static_cast<int>(marks.size()); ++i)
            if (marks[i])
                lines.push_back(i);
        return lines;
    }

  private:
    void refill() {
        marks.assign(document_.blocks().size(), false);
        for (const BlockRecord* record : document_.selection().members())
            marks.at(static_cast<std::size_t>(document_.lineOf(record))) = true;
    }
    void heard(const DocumentChange& change) {
        heardChanges.push_back(change);
        if (change.linesMoved()) {
            ++refills;
            refill();
        } else {
            for (const BlockRecord* record : change.left)
                marks.at(static_cast<std::size_t>(document_.lineOf(record))) = false;
            for (const BlockRecord* record : change.entered)
                marks.at(static_cast<std::size_t>(document_.lineOf(record))) = true;
        }
        const Selection& selection = document_.selection();
        if (change.selectionChanged() || selection.count() == 1)
            shown = selection.count() == 1 ? selection.first() : nullptr;
    }

    TrackDocument& document_;
    int id_ = 0;
};

// A view that draws nothing: a picking frame gives every shown block a colour as the renderer
// does, and the pixel read is either the colour of a chosen block or a chosen colour.
class FakeViewPort : public ViewPort {
  public:
    explicit FakeViewPort(const TrackDocument& document) : document_(document) {}

    std::vector<bool> renders; // display flag of each frame, in order
    std::map<const BlockRecord*, Rgb> pickColours;
    const BlockRecord* pointAt = nullptr;
    Rgb pixel{178, 178, 255}; // the picking background
    int readX = -1;
    int readY = -1;

    void renderFrame(bool display) override {
        renders.push_back(display);
        if (display)
            return;
        pickColours.clear();
        table_.resetPickTable(static_cast<int>(document_.blocks().size()));
        for (const BlockRecord& record : document_.blocks())
            if (!(record.flags & BLOCK_HIDDEN))
                pickColours[&record] =
                    table_.assignPickColour(reinterpret_cast<std::uintptr_t>(&record));
    }
    Rgb readPickColour(int x, int y) override {
        readX = x;
        readY = y;
        if (pointAt) {
            auto found = pickColours.find(pointAt);
            return found == pickColours.end() ? Rgb{178, 178, 255} : found->second;
        }
        return pixel;
    }
    const BlockRecord* blockOfColour(Rgb colour) const override {
        return reinterpret_cast<const BlockRecord*>(table_.findPickColour(colour));
    }

  private:
    const TrackDocument& document_;
    PickTable table_;
};

// A fresh editor with a list that follows the document, a fake view and a small catalogue: kind
// 1 has one unit, kind 2 the units (0, 0, 0) and (1, 0, 0), kind 3 three units along x.
class EditTest : public ::testing::Test {
  protected:
    EditorContext ctx;
    TrackDocument& doc = ctx.document;
    ListFollower list{ctx.document};
    FakeViewPort view{ctx.document};

    EditTest() {
        ctx.catalog.currentEnvironment = 0;
        auto& entries = ctx.catalog.catalogs[0].entries;
        entries.resize(3);
        entries[0].name = "Single";
        entries[0].units = {{0, 0, 0}};
        entries[1].name = "Double";
        entries[1].units = {{0, 0, 0}, {1, 0, 0}};
        entries[1].halfSizeX = 0.5f;
        entries[2].name = "Triple";
        entries[2].units = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
        entries[2].halfSizeX = 1.0f;
    }

    // Blocks are added as an opened track holds them: with a new history, nothing selected.
    const BlockRecord& addBlock(int x, int y, int z = 1, std::uint32_t kind = 1,
                                std::uint8_t rotation = 0, std::uint32_t flags = 0) {
        return addToDocument(doc, recordAt(x, y, z, kind, rotation, flags));
    }

    const BlockRecord& block(int position) { return blockAt(doc, position); }

    std::vector<const BlockRecord*> members() const {
        return {doc.selection().members().begin(), doc.selection().members().end()};
    }

    // The selection list, the selected bits and the list marks agree.
    void expectSelectionInStep() {
        int position = 0;
        for (const BlockRecord& record : doc.blocks()) {
            const auto& m = doc.selection().members();
            bool member = std::find(m.begin(), m.end(), &record) != m.end();
            EXPECT_EQ(member, Selection::contains(record)) << "block " << position;
            EXPECT_EQ(member, static_cast<bool>(list.marks.at(position))) << "line " << position;
            ++position;
        }
    }
};
