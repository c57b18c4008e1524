#include <gtest/gtest.h>

#include <vector>

#include "document_blocks.h"
#include "edit/block_edits.h"
#include "view/block_placement.h"
#include "view/block_table.h"

namespace {

// Each block's model is 10 plus its first variant byte; every question is kept.
class AskedModels : public ModelResolver {
  public:
    std::vector<const BlockRecord*> asked;
    std::int32_t resolveBlockModel(const BlockRecord& record) override {
        asked.push_back(&record);
        return 10 + record.variant[0];
    }
};

// A table that hears the document as the renderer's does, over a flat one-cell kind, with a
// camera straight above cell (5, 5).
class BlockTableTest : public ::testing::Test {
  protected:
    TrackDocument doc;
    BlockTable table{doc};
    AskedModels models;
    CatalogState catalog;
    Camera camera;
    double aspect = 1.0;
    int boundsAsked = 0;
    Box3 modelBox;

    void SetUp() override {
        doc.addListener([this](const DocumentChange& change) { table.apply(change); });
        catalog.catalogs[0].entries.resize(1);
        modelBox.add(Vec3(-15, -15, -4));
        modelBox.add(Vec3(15, 15, 4));
        const Vec3 above = blockAnchor(block(5, 5), catalog);
        camera = Camera(above + Vec3(0, 0, 200), Vec3(0, 0, -1), Vec3(0, 1, 0));
    }

    static BlockRecord block(int x, int y, std::uint8_t variant = 0) {
        BlockRecord r;
        r.catalogIndex = 1;
        r.x = static_cast<std::int8_t>(x);
        r.y = static_cast<std::int8_t>(y);
        r.z = 1;
        r.variant[0] = variant;
        return r;
    }
    const BlockRecord& add(int x, int y, std::uint8_t variant = 0) {
        return addToDocument(doc, block(x, y, variant));
    }

    void updateVisibility() {
        table.updateVisibility(
            catalog,
            [this](std::int32_t) -> const Box3& {
                ++boundsAsked;
                return modelBox;
            },
            camera, aspect);
    }

    std::vector<const BlockRecord*> listed() const {
        std::vector<const BlockRecord*> records;
        for (const BlockTable::Entry& entry : table.entries())
            records.push_back(entry.record);
        return records;
    }
    std::vector<std::int32_t> listedModels() const {
        std::vector<std::int32_t> out;
        for (const BlockTable::Entry& entry : table.entries())
            out.push_back(entry.model);
        return out;
    }
    bool inView(const BlockRecord& r) const {
        const BlockTable::Entry* entry = table.entryOf(&r);
        return entry && entry->inView;
    }
};

using Records = std::vector<const BlockRecord*>;
using Models = std::vector<std::int32_t>;

TEST_F(BlockTableTest, ANewTrackIsListedInListOrderWithEachModelAskedForOnce) {
    const BlockRecord& a = add(5, 5, 1);
    const BlockRecord& b = add(6, 5, 2);
    const BlockRecord& c = add(5, 6);
    EXPECT_TRUE(table.entries().empty());
    EXPECT_EQ(table.modelOf(&a), BlockTable::kUnresolved);

    table.resolveModels(models);
    EXPECT_EQ(listed(), (Records{&a, &b, &c}));
    EXPECT_EQ(listedModels(), (Models{11, 12, 10}));
    EXPECT_EQ(models.asked, (Records{&a, &b, &c}));
    EXPECT_EQ(table.modelOf(&b), 12);
    const BlockRecord other = block(5, 5);
    EXPECT_EQ(table.entryOf(&other), nullptr);
    EXPECT_EQ(table.modelOf(&other), BlockTable::kUnresolved);

    table.resolveModels(models);
    EXPECT_EQ(models.asked.size(), 3u);

    // Another track: the old records are gone, every new one is asked for.
    Track track;
    track.blocks = {block(1, 1, 4), block(2, 2)};
    doc.replaceTrack(std::move(track), {}, "");
    models.asked.clear();
    updateVisibility();
    EXPECT_EQ(listed(), (Records{&blockAt(doc, 0), &blockAt(doc, 1)}));
    EXPECT_EQ(table.entryOf(&a), nullptr);
    EXPECT_EQ(listedModels(), (Models{BlockTable::kUnresolved, BlockTable::kUnresolved}));
    table.resolveModels(models);
    EXPECT_EQ(listedModels(), (Models{14, 10}));
    EXPECT_EQ(models.asked.size(), 2u);
}

TEST_F(BlockTableTest, AVariantChangeAsksForThatBlocksModelAlone) {
    const BlockRecord& a = add(5, 5);
    const BlockRecord& b = add(6, 5);
    const BlockRecord& c = add(7, 5);
    table.resolveModels(models);
    models.asked.clear();

    setVariantByte(doc, b, 0, 3);
    EXPECT_EQ(listedModels(), (Models{10, BlockTable::kUnresolved, 10}));
    table.resolveModels(models);
    EXPECT_EQ(models.asked, (Records{&b}));
    EXPECT_EQ(listedModels(), (Models{10, 13, 10}));

    // Its undo changes the variant back: asked again, for the old model.
    ASSERT_TRUE(doc.undo());
    table.resolveModels(models);
    EXPECT_EQ(models.asked, (Records{&b, &b}));
    EXPECT_EQ(table.modelOf(&b), 10);

    // Other properties keep the model.
    doc.setSelection({&a, &c});
    moveSelection(doc, 0, 1, 0);
    rotateSelection(doc, 1);
    hideSelection(doc);
    table.resolveModels(models);
    EXPECT_EQ(models.asked.size(), 2u);
    EXPECT_EQ(listedModels(), (Models{10, 10, 10}));
}

TEST_F(BlockTableTest, AddedAndRemovedBlocksAreListedAtTheNextResolveOrVisibilityTest) {
    const BlockRecord& a = add(5, 5);
    const BlockRecord& b = add(6, 5);
    const BlockRecord& c = add(7, 5);
    table.resolveModels(models);
    models.asked.clear();

    const BlockRecord* d = appendBlock(doc, block(5, 6, 5));
    ASSERT_NE(d, nullptr);
    table.resolveModels(models);
    EXPECT_EQ(listed(), (Records{&a, &b, &c, d}));
    EXPECT_EQ(models.asked, (Records{d}));
    EXPECT_EQ(listedModels(), (Models{10, 10, 10, 15}));

    ASSERT_TRUE(removeBlock(doc, &b).has_value());
    updateVisibility();
    EXPECT_EQ(listed(), (Records{&a, &c, d}));
    EXPECT_EQ(table.entryOf(&b), nullptr);
    EXPECT_EQ(listedModels(), (Models{10, 10, 15}));

    // Put back by the undo, at its place in the list.
    ASSERT_TRUE(doc.undo());
    updateVisibility();
    EXPECT_EQ(listed(), (Records{&a, &b, &c, d}));
    table.resolveModels(models);
    EXPECT_EQ(table.modelOf(&b), 10);
    EXPECT_EQ(table.modelOf(&a), 10);
}

TEST_F(BlockTableTest, SerialGrowsWithEveryTrackChangeAndNotWithTheSelection) {
    const BlockRecord& a = add(5, 5);
    const BlockRecord& b = add(6, 5);
    table.resolveModels(models);
    std::uint64_t serial = table.serial();
    const auto grew = [&] {
        const bool more = table.serial() > serial;
        serial = table.serial();
        return more;
    };

    doc.select(&a, false);
    doc.select(&b, false);
    doc.deselect(&a);
    doc.invertSelection();
    doc.clearSelection();
    doc.setSelection({&a});
    EXPECT_FALSE(grew());

    moveSelection(doc, 1, 0, 0);
    EXPECT_TRUE(grew());
    rotateSelection(doc, 1);
    EXPECT_TRUE(grew());
    hideSelection(doc);
    EXPECT_TRUE(grew());
    unhideAll(doc);
    EXPECT_TRUE(grew());
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(grew());
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(grew());
    appendBlock(doc, block(9, 9));
    EXPECT_TRUE(grew());
    doc.setSelection({&b});
    EXPECT_FALSE(grew());
    deleteSelection(doc);
    EXPECT_TRUE(grew());
    doc.replaceTrack(Track{}, {}, "");
    EXPECT_TRUE(grew());
    // Saving changes no block.
    doc.noteSaved();
    EXPECT_FALSE(grew());
}

TEST_F(BlockTableTest, BoxesAreTestedAgainOnlyWhenTheViewOrTheBlocksChanged) {
    const BlockRecord& a = add(5, 5);
    const BlockRecord& far = add(25, 25);
    table.resolveModels(models);
    updateVisibility();
    EXPECT_EQ(boundsAsked, 2);
    EXPECT_TRUE(inView(a));
    EXPECT_FALSE(inView(far));

    updateVisibility();
    doc.select(&a, false);
    doc.invertSelection();
    updateVisibility();
    EXPECT_EQ(boundsAsked, 2);
    EXPECT_TRUE(inView(a));

    // A moved block is tested where it now is, under the same camera; the others are not.
    doc.setSelection({&a});
    moveSelection(doc, 10, 0, 0);
    updateVisibility();
    EXPECT_EQ(boundsAsked, 3);
    EXPECT_FALSE(inView(a));

    camera.translate(Vec3(-10 * 41.7, 0, 0));
    updateVisibility();
    EXPECT_EQ(boundsAsked, 5);
    EXPECT_TRUE(inView(a));
    aspect = 2.0;
    updateVisibility();
    EXPECT_EQ(boundsAsked, 7);

    // A new variant is tested at once, and every block again once a new model, which may have
    // other bounds, is known.
    setVariantByte(doc, far, 0, 1);
    updateVisibility();
    EXPECT_EQ(boundsAsked, 8);
    table.resolveModels(models);
    updateVisibility();
    EXPECT_EQ(boundsAsked, 10);
    table.resolveModels(models);
    updateVisibility();
    EXPECT_EQ(boundsAsked, 10);
}

} // namespace
