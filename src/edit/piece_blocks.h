#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "edit/block_placing.h"
#include "edit/track_document.h"
#include "track/piece_file.h"

// The selected blocks as a piece of the open environment, with their places counted from the
// selection's lowest corner. None, with the reason in `problem`, when nothing is selected, the
// selection is more than the grid across, or the name or picture cannot go into a piece file.
std::optional<Piece> pieceOfSelection(const TrackDocument& document, const CatalogState& catalog,
                                      const std::string& name, std::vector<std::uint8_t> picture,
                                      std::string& problem);

// A piece's blocks ready to be placed as a group: places relative to the piece's corner, kinds
// as the current catalogue's. Blocks of kinds the catalogue lacks are left out and counted, with
// a line for the status bar about them (empty when none were).
struct PieceGroup {
    BlockClipboard blocks;
    int leftOut = 0;
    std::string message;
};
PieceGroup groupOfPiece(const Piece& piece, const CatalogState& catalog);
