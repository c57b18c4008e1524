// The piece reader: any bytes must decode, or be refused with a reason, without reading outside
// them; what decodes must be a piece that may be written, encode back into the same bytes, and
// become a group whose blocks and left-out count add up to the piece's blocks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "edit/piece_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A catalogue that knows some kinds of the seeds and not others.
    static const CatalogState catalog = [] {
        CatalogState state;
        initEnvironmentNames(state.environmentNames);
        state.currentEnvironment = kStadium;
        for (const char* name : {"StadiumRoadMain", "StadiumPlatformToRoadMain", "StadiumGrass"})
            state.catalogs[kStadium].entries.emplace_back().name = name;
        return state;
    }();
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::string problem;
    const std::optional<Piece> piece = decodePiece(bytes, problem);
    if (!piece) {
        if (problem.empty())
            __builtin_trap();
        return 0;
    }
    if (!pieceProblem(*piece).empty() || encodePiece(*piece) != bytes)
        __builtin_trap();
    const PieceGroup group = groupOfPiece(*piece, catalog);
    if (group.blocks.entries.size() + static_cast<std::size_t>(group.leftOut) !=
        piece->blocks.size())
        __builtin_trap();
    return 0;
}
