#include <algorithm>
#include <filesystem>
#include <vector>

#include <GL/gl.h>

#include "app/draw_area.h"
#include "app_fixture.h"
#include "real_tracks.h"

// The renderer's fast paths (nearest blocks first, picking renders of one pixel) against the
// straightforward renderer, on the samples and the largest real track: the same picture and the
// same picked colours.
class FastFrames : public AppFixture, public ::testing::WithParamInterface<const char*> {
  protected:
    struct Frame {
        int width = 0;
        int height = 0;
        std::vector<GLubyte> rgb;
        std::vector<GLuint> depth;
    };

    Frame displayFrame(bool fast) {
        window_->renderer().setFastPaths(fast);
        window_->viewPort().renderFrame(true);
        CurrentContext current(*window_->view());
        Frame f;
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        f.width = viewport[2];
        f.height = viewport[3];
        f.rgb.resize(static_cast<std::size_t>(f.width) * f.height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(viewport[0], viewport[1], f.width, f.height, GL_RGB, GL_UNSIGNED_BYTE,
                     f.rgb.data());
        f.depth.resize(static_cast<std::size_t>(f.width) * f.height);
        glReadPixels(viewport[0], viewport[1], f.width, f.height, GL_DEPTH_COMPONENT,
                     GL_UNSIGNED_INT, f.depth.data());
        return f;
    }

    // Where faces of two blocks lie in one plane (neighbours' shared sides, blocks stacked in one
    // cell) the one drawn first shows: drawn nearest first, such a pixel may change hands, but
    // its depth stays the same. Any other difference is a fault.
    // Returns the number of ties.
    int expectAlike(const Frame& plain, const Frame& fast, const std::string& property) {
        EXPECT_EQ(plain.depth.size(), fast.depth.size());
        int ties = 0;
        int faults = 0;
        int depths = 0;
        for (std::size_t i = 0; i < plain.depth.size() && i < fast.depth.size(); ++i) {
            depths += plain.depth[i] != fast.depth[i];
            if (!samePixel(plain, fast, i))
                (plain.depth[i] == fast.depth[i] ? ties : faults) += 1;
        }
        EXPECT_EQ(faults, 0) << faults << " pixels differ at other depths";
        // A kept frame's depth is put back exactly, or what is drawn over it may lose or win.
        EXPECT_EQ(depths, 0) << depths << " pixels at other depths";
        EXPECT_LE(ties, static_cast<int>(plain.depth.size() / 50));
        RecordProperty(property + "Ties", ties);
        return ties;
    }

    static bool samePixel(const Frame& a, const Frame& b, std::size_t i) {
        return std::equal(&a.rgb[3 * i], &a.rgb[3 * i] + 3, &b.rgb[3 * i]);
    }

    // The block drawn in a picking colour (colours differ from render to render), or else the
    // colour itself (a handle, the background).
    using Picked = std::pair<const BlockRecord*, std::uint32_t>;
    Picked pickedAt(Rgb colour) const {
        if (const BlockRecord* block = window_->renderer().blockOfColour(colour))
            return {block, 0};
        return {nullptr, (colour.r << 16) | (colour.g << 8) | colour.b};
    }

    // Opens the track, selects every 40th block with the move gizmo shown, and compares.
    void compareRenderers(const std::string& path) {
        openThroughButton(path);
        TrackDocument& doc = ctx_.document;
        ASSERT_FALSE(doc.blocks().empty());
        std::vector<const BlockRecord*> chosen;
        int i = 0;
        for (const BlockRecord& r : doc.blocks())
            if (i++ % 40 == 0)
                chosen.push_back(&r);
        doc.setSelection(chosen);
        ViewState& view = window_->viewState();
        view.switches.showMoveGizmo = true;
        view.switches.showGrid = true;
        view.switches.showStadium = true;

        const Frame plain = displayFrame(false);
        const Frame fast = displayFrame(true);
        expectAlike(plain, fast, "display");

        // Area editing: the pointer moves, so the second fast frame puts the first one back and
        // draws the cursor at its new cell.
        ctx_.areaEditor.setEditing(true);
        view.lastPointer = {250, 300};
        displayFrame(true);
        view.lastPointer = {300, 320};
        const Frame plainArea = displayFrame(false);
        const int reused = window_->renderer().framesReused();
        const Frame fastArea = displayFrame(true);
        EXPECT_EQ(window_->renderer().framesReused(), reused + 1);
        expectAlike(plainArea, fastArea, "area");
        ctx_.areaEditor.setEditing(false);

        // Selection changes with the gizmos hidden: the kept frame, with the blocks whose tint
        // changed drawn again (some of them behind others), against a whole frame.
        view.switches.showMoveGizmo = false;
        const Frame beforeClick = displayFrame(true);
        // Every 7th block changes sides, in one change of the selection.
        std::vector<const BlockRecord*> toggled;
        i = 0;
        for (const BlockRecord& r : doc.blocks())
            if (Selection::contains(r) != (i++ % 7 == 0))
                toggled.push_back(&r);
        doc.setSelection(toggled);
        const Frame plainClick = displayFrame(false);
        const int retinted = window_->renderer().framesRetinted();
        const Frame fastClick = displayFrame(true);
        EXPECT_EQ(window_->renderer().framesRetinted(), retinted + 1);
        const int clickTies = expectAlike(plainClick, fastClick, "click");
        int changed = 0;
        for (std::size_t p = 0; p < plainClick.depth.size(); ++p)
            changed += !samePixel(beforeClick, plainClick, p);
        EXPECT_GT(changed, 20 * clickTies) << "tints drawn again in too few pixels";

        // Every 40th pixel each way: the whole picking render against the one-pixel one.
        window_->renderer().setFastPaths(false);
        ViewPort& port = window_->viewPort();
        port.renderFrame(false);
        std::vector<Picked> whole;
        for (int y = 5; y < plain.height; y += 40)
            for (int x = 5; x < plain.width; x += 40)
                whole.push_back(pickedAt(port.readPickColour(x, y)));
        window_->renderer().setFastPaths(true);
        std::size_t k = 0;
        int blocks = 0;
        for (int y = 5; y < plain.height; y += 40)
            for (int x = 5; x < plain.width; x += 40, ++k) {
                const Picked one = pickedAt(port.pickColourAt(x, y));
                EXPECT_TRUE(one == whole[k]) << "at " << x << ", " << y;
                blocks += one.first != nullptr;
            }
        EXPECT_GT(blocks, 0) << "no block under any pixel tried";
    }
};

TEST_P(FastFrames, SampleLooksTheSame) {
    const std::optional<std::string> sample = copySample(GetParam());
    ASSERT_TRUE(sample);
    compareRenderers(*sample);
}

INSTANTIATE_TEST_SUITE_P(Samples, FastFrames,
                         ::testing::Values("LargeStadium", "StadiumCircuit", "Alpine", "Coast"));

TEST_F(FastFrames, LargestRealTrackLooksTheSame) {
    if (!std::filesystem::exists(largestRealTrack()))
        GTEST_SKIP() << "no real track at " << largestRealTrack();
    compareRenderers(largestRealTrack().string());
}
