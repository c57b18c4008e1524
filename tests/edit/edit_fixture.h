#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "edit/editor_context.h"
#include "seams/model_resolver.h"
#include "seams/panels.h"
#include "seams/view_port.h"

// The block list as the panels would show it: one mark per line of the last refill.
class RecordingPanels : public Panels {
  public:
    explicit RecordingPanels(const EditorContext& ctx) : ctx_(ctx) {}

    std::vector<bool> marks;
    int refills = 0;
    int unmarkAlls = 0;
    int markCalls = 0;
    int propertiesCalls = 0;
    int areaCountCalls = 0;
    std::optional<const BlockRecord*> shown; // none until the first refresh

    void markBlockLine(int index, bool marked) override {
        ++markCalls;
        ASSERT_GE(index, 0);
        ASSERT_LT(index, static_cast<int>(marks.size()));
        marks[index] = marked;
    }
    void unmarkAllBlockLines() override {
        ++unmarkAlls;
        marks.assign(marks.size(), false);
    }
    void refillBlockList() override {
        ++refills;
        marks.assign(ctx_.currentTrack.blocks.size(), false);
    }
    void refreshProperties(const BlockRecord* record) override {
        ++propertiesCalls;
        shown = record;
    }
    void refreshCursorPosition() override {}
    void refreshAreaCounts() override { ++areaCountCalls; }
    void setFrameRateText(const std::string&) override {}
    void showStatusMessage(const std::string& text) override { statusMessages.push_back(text); }
    std::vector<std::string> statusMessages;

    std::vector<int> markedLines() const {
        std::vector<int> lines;
        for (int i = 0; i < static_cast<int>(marks.size()); ++i)
            if (marks[i])
                lines.push_back(i);
        return lines;
    }

  private:
    const EditorContext& ctx_;
};

// A view that draws nothing: a picking frame gives every shown block a colour as the renderer
// does, and the pixel read is either the colour of a chosen block or a chosen colour.
class FakeViewPort : public ViewPort {
  public:
    explicit FakeViewPort(EditorContext& ctx) : ctx_(ctx) {}

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
        for (const BlockRecord& record : ctx_.currentTrack.blocks)
            if (!(record.flags & BLOCK_HIDDEN))
                pickColours[&record] =
                    ctx_.pickTable.assignPickColour(reinterpret_cast<std::uintptr_t>(&record));
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

  protected:
    EditorContext& ctx_;
};

class RecordingResolver : public ModelResolver {
  public:
    std::vector<const BlockRecord*> resolved;
    std::int32_t resolveBlockModel(BlockRecord& record) override {
        resolved.push_back(&record);
        record.modelList = 7;
        return 7;
    }
};

// A fresh editor with recording seams and a small catalogue: kind 1 has one unit, kind 2 the
// units (0, 0, 0) and (1, 0, 0), kind 3 three units along x.
class EditTest : public ::testing::Test {
  protected:
    EditorContext ctx;
    RecordingPanels panels{ctx};
    FakeViewPort view{ctx};
    RecordingResolver resolver;

    EditTest() {
        ctx.panels = &panels;
        ctx.viewPort = &view;
        ctx.modelResolver = &resolver;
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

    BlockRecord& addBlock(int x, int y, int z = 1, std::uint32_t kind = 1,
                          std::uint8_t rotation = 0) {
        BlockRecord record;
        record.catalogIndex = kind;
        record.x = static_cast<std::int8_t>(x);
        record.y = static_cast<std::int8_t>(y);
        record.z = static_cast<std::int8_t>(z);
        record.rotation = rotation;
        ctx.currentTrack.blocks.push_back(record);
        panels.marks.push_back(false);
        return ctx.currentTrack.blocks.back();
    }

    BlockRecord& block(int position) {
        auto it = ctx.currentTrack.blocks.begin();
        std::advance(it, position);
        return *it;
    }

    std::vector<const BlockRecord*> members() const {
        return {ctx.selection.members.begin(), ctx.selection.members.end()};
    }

    // The selection list, the selected bits and the list marks agree.
    void expectSelectionInStep() {
        int position = 0;
        for (const BlockRecord& record : ctx.currentTrack.blocks) {
            bool member = std::find(ctx.selection.members.begin(), ctx.selection.members.end(),
                                    &record) != ctx.selection.members.end();
            EXPECT_EQ(member, (record.flags & BLOCK_SELECTED) != 0) << "block " << position;
            EXPECT_EQ(member, static_cast<bool>(panels.marks.at(position))) << "line " << position;
            ++position;
        }
    }
};
