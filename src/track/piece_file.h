#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A piece: blocks kept apart from any track, to be placed again in tracks of the environment
// they were built in. Kinds go by name, so that a piece outlives changes of a catalogue's order.
//
// The file (".bypiece"), all numbers little-endian:
//
//   8 bytes   "BYPIECE1"
//   u16 + n   the piece's name, UTF-8, 1 to 120 bytes, no control characters
//   u16 + n   the environment's name ("Alpine" ... "Stadium"), 1 to 32 bytes
//   u16       kind count K, 1 to 4096, then K times: u8 length (1 to 63) and the kind's name
//   u32       block count N, 1 to 32768, then N times 10 bytes:
//               u16 kind (0-based index into the K names), u8 x, u8 y, u8 z (height), each below
//               32 and counted from the piece's lowest corner, u8 turn (0 to 3), 4 variant bytes
//               as the track holds them
//   u32 + n   the picture, at most 256 KiB: a PNG image of the view as the piece was saved (the
//             core keeps its bytes without looking into them; empty when there is none)
//   u32       CRC-32 of every byte before it
//
// Nothing may follow the checksum. A file larger than kMaxPieceFileBytes is not read at all.

struct PieceBlock {
    std::uint16_t kind = 0; // index into Piece::kinds
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t z = 0;
    std::uint8_t turn = 0;
    std::array<std::uint8_t, 4> variant{};
    bool operator==(const PieceBlock&) const = default;
};

struct Piece {
    std::string name;
    std::string environment;
    std::vector<std::string> kinds;
    std::vector<PieceBlock> blocks;
    std::vector<std::uint8_t> picture;
    bool operator==(const Piece&) const = default;
};

inline constexpr std::size_t kMaxPieceNameBytes = 120;
inline constexpr std::size_t kMaxPieceEnvironmentBytes = 32;
inline constexpr std::size_t kMaxPieceKinds = 4096;
inline constexpr std::size_t kMaxPieceKindNameBytes = 63;
inline constexpr std::size_t kMaxPieceBlocks = 32768;
inline constexpr std::uint8_t kPieceExtent = 32; // offsets stay below the grid's size
inline constexpr std::size_t kMaxPiecePictureBytes = 256 * 1024;
inline constexpr std::size_t kMaxPieceFileBytes = 1024 * 1024;

// What is wrong with a piece's fields for the file, or an empty text when it may be written.
std::string pieceProblem(const Piece& piece);

// The file's bytes of a piece whose pieceProblem is empty.
std::vector<std::uint8_t> encodePiece(const Piece& piece);

// The piece the bytes hold; none, with what is wrong in `problem`, when they are not a whole,
// undamaged piece file within the limits above.
std::optional<Piece> decodePiece(const std::vector<std::uint8_t>& bytes, std::string& problem);
