#include <gtest/gtest.h>

#include "edit/edit_step.h"
#include "edit/kind_names.h"
#include "edit/piece_blocks.h"
#include "edit/placing.h"
#include "edit_fixture.h"

namespace {

class Pieces : public EditTest {};

} // namespace

TEST_F(Pieces, APieceOfOneTrackPlacesInAnotherOfItsEnvironment) {
    initEnvironmentNames(ctx.catalog.environmentNames);
    addBlock(9, 9, 9); // not selected
    BlockRecord single = recordAt(5, 6, 2, 1, 1);
    single.variant = {0x00, 0x80, 0x10, 0x07}; // skin and waypoint bits, and a variant
    single.skin.author = "someone";
    const BlockRecord& a = addToDocument(doc, single);
    const BlockRecord& b = addBlock(7, 6, 3, 2, 3);
    const BlockRecord& c = addBlock(4, 9, 2, 3, 2);
    doc.select(&a, true);
    doc.select(&b, true);
    doc.select(&c, true);

    std::string problem;
    std::optional<Piece> piece = pieceOfSelection(doc, ctx.catalog, "Corner", {1, 2}, problem);
    ASSERT_TRUE(piece) << problem;
    EXPECT_EQ(piece->environment, ctx.catalog.environmentNames[0]);
    ASSERT_EQ(piece->blocks.size(), 3u);
    // Counted from the lowest corner (4, 6, 2); a piece carries no track's nodes.
    EXPECT_EQ(piece->blocks[0], (PieceBlock{0, 1, 0, 0, 1, {0x00, 0x00, 0x00, 0x07}}));
    EXPECT_EQ(piece->blocks[2].x, 0);
    EXPECT_EQ(piece->blocks[2].y, 3);
    std::string decodeProblem;
    ASSERT_EQ(decodePiece(encodePiece(*piece), decodeProblem), piece) << decodeProblem;

    // Another track of the environment, whose catalogue orders the kinds otherwise and lacks
    // "Triple".
    EditorContext other;
    other.catalog.environmentNames = ctx.catalog.environmentNames;
    other.catalog.catalogs[0].entries.resize(2);
    other.catalog.catalogs[0].entries[0].name = "Double";
    other.catalog.catalogs[0].entries[1].name = "Single";
    addToDocument(other.document, recordAt(0, 0, 1, 1));
    const PieceGroup group = groupOfPiece(*piece, other.catalog);
    EXPECT_EQ(group.leftOut, 1);
    EXPECT_EQ(group.message, "1 block of kinds this environment lacks was left out.");
    const PlacingGroup placing(other.catalog, group.blocks, other.document.track().uid);
    EXPECT_EQ(placing.leftOut(), 0);
    ASSERT_TRUE(putDown(other.document, other.catalog, placing.at({10, 10, 1}), "Place"));

    ASSERT_EQ(other.document.blocks().size(), 3u);
    const BlockRecord& placedSingle = blockAt(other.document, 1);
    const BlockRecord& placedDouble = blockAt(other.document, 2);
    EXPECT_EQ(kindNameOf(other.catalog, placedSingle), "Single");
    EXPECT_EQ(kindNameOf(other.catalog, placedDouble), "Double");
    EXPECT_EQ(placedDouble.x - placedSingle.x, 2);
    EXPECT_EQ(placedDouble.z - placedSingle.z, 1);
    EXPECT_EQ(placedSingle.rotation, 1);
    EXPECT_EQ(placedDouble.rotation, 3);
    EXPECT_EQ(placedSingle.variant, (std::array<std::uint8_t, 4>{0x00, 0x00, 0x00, 0x07}));
    EXPECT_TRUE(placedSingle.skin.author.empty());
}

TEST_F(Pieces, NoPieceOfAnEmptyOrTooWideSelectionOrWithoutAName) {
    initEnvironmentNames(ctx.catalog.environmentNames);
    const BlockRecord& a = addBlock(-3, 0, 1);
    const BlockRecord& b = addBlock(29, 0, 1);
    std::string problem;
    EXPECT_FALSE(pieceOfSelection(doc, ctx.catalog, "Wide", {}, problem));
    doc.select(&a, true);
    doc.select(&b, true);
    EXPECT_FALSE(pieceOfSelection(doc, ctx.catalog, "Wide", {}, problem));
    EXPECT_NE(problem.find("across"), std::string::npos) << problem;
    doc.select(&a, true);
    EXPECT_FALSE(pieceOfSelection(doc, ctx.catalog, "", {}, problem));
    EXPECT_TRUE(pieceOfSelection(doc, ctx.catalog, "Edge", {}, problem)) << problem;
}
