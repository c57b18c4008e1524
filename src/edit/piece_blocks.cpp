#include "edit/piece_blocks.h"

#include <algorithm>
#include <climits>
#include <map>
#include <unordered_map>

#include "edit/edit_step.h"
#include "edit/kind_names.h"

std::optional<Piece> pieceOfSelection(const TrackDocument& document, const CatalogState& catalog,
                                      const std::string& name, std::vector<std::uint8_t> picture,
                                      std::string& problem) {
    std::vector<const BlockRecord*> members;
    int low[3] = {INT_MAX, INT_MAX, INT_MAX};
    int high[3] = {INT_MIN, INT_MIN, INT_MIN};
    // Track order, so that the piece keeps the blocks' order among themselves.
    for (const BlockRecord& record : document.blocks()) {
        if (!Selection::contains(record) || kindNameOf(catalog, record).empty())
            continue;
        members.push_back(&record);
        const int place[3] = {record.x, record.y, record.z};
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], place[axis]);
            high[axis] = std::max(high[axis], place[axis]);
        }
    }
    if (members.empty()) {
        problem = "Select the blocks of the piece first.";
        return std::nullopt;
    }
    for (int axis = 0; axis < 3; ++axis)
        if (high[axis] - low[axis] >= kPieceExtent) {
            problem = "The selection is more than " + std::to_string(kPieceExtent) +
                      " cells across; a piece fits in the grid.";
            return std::nullopt;
        }

    Piece piece;
    piece.name = name;
    piece.environment = catalog.environmentNames[catalog.currentEnvironment];
    piece.picture = std::move(picture);
    std::map<std::string, std::uint16_t> kindOf;
    for (const BlockRecord* record : members) {
        const std::string& kind = kindNameOf(catalog, *record);
        BlockRecord kept = *record;
        dropNodeReferences(kept);
        auto [found, added] =
            kindOf.try_emplace(kind, static_cast<std::uint16_t>(piece.kinds.size()));
        if (added)
            piece.kinds.push_back(kind);
        piece.blocks.push_back({found->second, static_cast<std::uint8_t>(record->x - low[0]),
                                static_cast<std::uint8_t>(record->y - low[1]),
                                static_cast<std::uint8_t>(record->z - low[2]),
                                static_cast<std::uint8_t>(record->rotation & 3), kept.variant});
    }
    problem = pieceProblem(piece);
    if (!problem.empty())
        return std::nullopt;
    return piece;
}

PieceGroup groupOfPiece(const Piece& piece, const CatalogState& catalog) {
    PieceGroup group;
    const std::unordered_map<std::string, std::uint32_t> indexes = kindIndexesByName(catalog);
    const std::size_t kindCount = catalog.catalogs[catalog.currentEnvironment].entries.size();
    for (const PieceBlock& block : piece.blocks) {
        const std::string& kind = piece.kinds[block.kind];
        auto found = indexes.find(kind);
        std::optional<BlockRecord> record;
        if (found != indexes.end())
            record = makeRecord(found->second, block.turn, static_cast<std::int8_t>(block.x),
                                static_cast<std::int8_t>(block.y),
                                static_cast<std::int8_t>(block.z), block.variant, kindCount);
        if (!record) {
            ++group.leftOut;
            continue;
        }
        group.blocks.entries.push_back({std::move(*record), kind});
    }
    if (group.leftOut > 0)
        group.message = blockCountText(group.leftOut) + " of kinds this environment lacks " +
                        (group.leftOut == 1 ? "was" : "were") + " left out.";
    return group;
}
