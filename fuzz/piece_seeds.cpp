// Makes pieces of converted tracks' blocks on the grid, the seeds of the piece reader's corpus.
// Usage: piece_seeds OUT-FOLDER CONVERTED-FILE...
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "edit/area.h"
#include "edit/piece_blocks.h"
#include "track/track_reader.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::filesystem::path out = argv[1];
    CatalogState catalog;
    initEnvironmentNames(catalog.environmentNames);
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        Track track;
        TrackEnvelope envelope;
        if (!parseConvertedTrack(bytes, catalog, track, envelope))
            continue;
        // Kinds go by the names the file gives them: the empty catalogue keeps them all.
        catalog.currentEnvironment = track.environment;
        TrackDocument document;
        document.replaceTrack(std::move(track), envelope, argv[i]);
        std::vector<const BlockRecord*> onGridBlocks;
        for (const BlockRecord& record : document.blocks())
            if (onGrid(record.x) && onGrid(record.y) && onGrid(record.z))
                onGridBlocks.push_back(&record);
        document.setSelection(onGridBlocks);
        std::string problem;
        const std::optional<Piece> piece =
            pieceOfSelection(document, catalog, std::filesystem::path(argv[i]).stem().string(),
                             {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, problem);
        if (!piece)
            continue;
        const std::vector<std::uint8_t> file = encodePiece(*piece);
        std::ofstream(out / (std::filesystem::path(argv[i]).filename().string() + ".bypiece"),
                      std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
    }
    return 0;
}
