#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "track/piece_file.h"

// The user's pieces: one file each in a folder per environment, named after the piece.

// <dataFolder>/blockyard/pieces/<environment>
std::filesystem::path piecesFolder(const std::filesystem::path& dataFolder,
                                   const std::string& environment);

// The file a piece of this name is kept in: the name with every character other than letters,
// digits, spaces, '-' and '_' made '_', and ".bypiece" after it.
std::filesystem::path pieceFilePath(const std::filesystem::path& folder, const std::string& name);

struct PieceEntry {
    std::filesystem::path file;
    Piece piece;
};

// The folder's pieces of the environment, by name; files that are not such pieces are passed
// over. Nothing for a folder that is not there.
std::vector<PieceEntry> listPieces(const std::filesystem::path& folder,
                                   const std::string& environment);

// The piece in the file; none, with the reason in `problem`, when the file cannot be read, is
// too large or damaged, or is of another environment than `environment`.
std::optional<Piece> readPieceFile(const std::filesystem::path& file,
                                   const std::string& environment, std::string& problem);

// Writes the piece to its file in the folder (made when missing), replacing that file whole or
// leaving it as it was. The file, or none with the reason in `problem`.
std::optional<std::filesystem::path> writePieceFile(const std::filesystem::path& folder,
                                                    const Piece& piece, std::string& problem);

// Gives the piece in `file` a new name and moves it to the file of that name. Refused, with the
// file as it was, when another piece is kept under that name already.
std::optional<std::filesystem::path> renamePieceFile(const std::filesystem::path& file,
                                                     const std::string& environment,
                                                     const std::string& newName,
                                                     std::string& problem);

bool deletePieceFile(const std::filesystem::path& file, std::string& problem);
