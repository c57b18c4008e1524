#include "track/piece_library.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "track/atomic_file.h"

namespace {

constexpr const char* kExtension = ".bypiece";

bool keptInName(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '-' || c == '_';
}

} // namespace

std::filesystem::path piecesFolder(const std::filesystem::path& dataFolder,
                                   const std::string& environment) {
    return dataFolder / "blockyard" / "pieces" / environment;
}

std::filesystem::path pieceFilePath(const std::filesystem::path& folder, const std::string& name) {
    std::string stem = name;
    std::replace_if(
        stem.begin(), stem.end(), [](char c) { return !keptInName(c); }, '_');
    return folder / (stem + kExtension);
}

std::optional<Piece> readPieceFile(const std::filesystem::path& file,
                                   const std::string& environment, std::string& problem) {
    // One byte past the limit is enough for decodePiece to refuse a larger file unread.
    std::vector<std::uint8_t> bytes(kMaxPieceFileBytes + 1);
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in && !in.eof()) {
        problem = "The piece file cannot be read.";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::optional<Piece> piece = decodePiece(bytes, problem);
    if (piece && piece->environment != environment) {
        problem = "The piece \"" + piece->name + "\" was built in " + piece->environment +
                  "; the open track is " + environment + ".";
        return std::nullopt;
    }
    return piece;
}

std::vector<PieceEntry> listPieces(const std::filesystem::path& folder,
                                   const std::string& environment) {
    std::vector<PieceEntry> entries;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        if (item.path().extension() != kExtension || !item.is_regular_file(ec))
            continue;
        std::string problem;
        if (std::optional<Piece> piece = readPieceFile(item.path(), environment, problem))
            entries.push_back({item.path(), std::move(*piece)});
    }
    std::sort(entries.begin(), entries.end(), [](const PieceEntry& a, const PieceEntry& b) {
        return a.piece.name != b.piece.name ? a.piece.name < b.piece.name : a.file < b.file;
    });
    return entries;
}

std::optional<std::filesystem::path> writePieceFile(const std::filesystem::path& folder,
                                                    const Piece& piece, std::string& problem) {
    problem = pieceProblem(piece);
    if (!problem.empty())
        return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path file = pieceFilePath(folder, piece.name);
    if (ec || !replaceFileAtomically(file, encodePiece(piece))) {
        problem = "The piece could not be written to " + file.string() + ".";
        return std::nullopt;
    }
    return file;
}

std::optional<std::filesystem::path> renamePieceFile(const std::filesystem::path& file,
                                                     const std::string& environment,
                                                     const std::string& newName,
                                                     std::string& problem) {
    std::optional<Piece> piece = readPieceFile(file, environment, problem);
    if (!piece)
        return std::nullopt;
    const std::filesystem::path folder = file.parent_path();
    const std::filesystem::path target = pieceFilePath(folder, newName);
    std::error_code ec;
    if (target != file && std::filesystem::exists(target, ec)) {
        problem = "A piece named \"" + newName + "\" is kept already.";
        return std::nullopt;
    }
    piece->name = newName;
    // The new file first: a failure between the two steps leaves the piece twice, never lost.
    std::optional<std::filesystem::path> written = writePieceFile(folder, *piece, problem);
    if (written && *written != file)
        std::filesystem::remove(file, ec);
    return written;
}

bool deletePieceFile(const std::filesystem::path& file, std::string& problem) {
    std::error_code ec;
    if (!std::filesystem::remove(file, ec)) {
        problem = "The piece file " + file.string() + " could not be deleted.";
        return false;
    }
    return true;
}
