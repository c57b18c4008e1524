#include "track/piece_file.h"

#include <algorithm>
#include <string_view>

#include "track/byte_reading.h"
#include "track/crc32.h"

namespace {

constexpr std::string_view kMagic{"BYPIECE1", 8};
constexpr std::size_t kBlockBytes = 10;

bool hasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

void appendText(std::vector<std::uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// Reads forward through the bytes; every read fails once one ran past the end.
class Cursor {
  public:
    explicit Cursor(const std::vector<std::uint8_t>& bytes, std::size_t end)
        : bytes_(bytes), end_(end) {}

    std::size_t at() const { return at_; }
    void skip(std::size_t count) { at_ += count; }
    bool has(std::size_t count) const { return at_ <= end_ && end_ - at_ >= count; }

    bool u8(std::uint8_t& value) {
        if (!has(1))
            return false;
        value = bytes_[at_++];
        return true;
    }
    bool u16(std::uint16_t& value) {
        if (!has(2))
            return false;
        value = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return true;
    }
    bool u32(std::uint32_t& value) {
        if (!has(4) || !readU32(bytes_, at_, value))
            return false;
        at_ += 4;
        return true;
    }
    // `length` bytes as text, when they are there and the length is within 1..maxLength.
    bool text(std::size_t length, std::size_t maxLength, std::string& value) {
        if (length == 0 || length > maxLength || !has(length))
            return false;
        value.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + length));
        at_ += length;
        return true;
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t end_;
    std::size_t at_ = 0;
};

std::optional<Piece> refuse(std::string& problem, std::string text) {
    problem = std::move(text);
    return std::nullopt;
}

} // namespace

std::string pieceProblem(const Piece& piece) {
    if (piece.name.empty() || piece.name.size() > kMaxPieceNameBytes ||
        hasControlCharacter(piece.name))
        return "A piece's name has 1 to " + std::to_string(kMaxPieceNameBytes) +
               " bytes and no control characters.";
    if (piece.environment.empty() || piece.environment.size() > kMaxPieceEnvironmentBytes)
        return "The piece names no environment.";
    if (piece.kinds.empty() || piece.kinds.size() > kMaxPieceKinds)
        return "A piece holds 1 to " + std::to_string(kMaxPieceKinds) + " kinds.";
    for (const std::string& kind : piece.kinds)
        if (kind.empty() || kind.size() > kMaxPieceKindNameBytes)
            return "A kind's name has 1 to " + std::to_string(kMaxPieceKindNameBytes) + " bytes.";
    if (piece.blocks.empty() || piece.blocks.size() > kMaxPieceBlocks)
        return "A piece holds 1 to " + std::to_string(kMaxPieceBlocks) + " blocks.";
    for (const PieceBlock& block : piece.blocks)
        if (block.kind >= piece.kinds.size() || block.x >= kPieceExtent ||
            block.y >= kPieceExtent || block.z >= kPieceExtent || block.turn > 3)
            return "A block of the piece lies outside the grid or has no kind.";
    if (piece.picture.size() > kMaxPiecePictureBytes)
        return "The piece's picture is too large.";
    return {};
}

std::vector<std::uint8_t> encodePiece(const Piece& piece) {
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    appendU16(out, static_cast<std::uint16_t>(piece.name.size()));
    appendText(out, piece.name);
    appendU16(out, static_cast<std::uint16_t>(piece.environment.size()));
    appendText(out, piece.environment);
    appendU16(out, static_cast<std::uint16_t>(piece.kinds.size()));
    for (const std::string& kind : piece.kinds) {
        out.push_back(static_cast<std::uint8_t>(kind.size()));
        appendText(out, kind);
    }
    appendU32(out, static_cast<std::uint32_t>(piece.blocks.size()));
    for (const PieceBlock& block : piece.blocks) {
        appendU16(out, block.kind);
        out.insert(out.end(), {block.x, block.y, block.z, block.turn});
        out.insert(out.end(), block.variant.begin(), block.variant.end());
    }
    appendU32(out, static_cast<std::uint32_t>(piece.picture.size()));
    out.insert(out.end(), piece.picture.begin(), piece.picture.end());
    appendU32(out, crc32(out.data(), out.size()));
    return out;
}

std::optional<Piece> decodePiece(const std::vector<std::uint8_t>& bytes, std::string& problem) {
    if (bytes.size() > kMaxPieceFileBytes)
        return refuse(problem, "The piece file is too large (over " +
                                   std::to_string(kMaxPieceFileBytes / 1024) + " KiB).");
    if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return refuse(problem, "The file is not a piece.");
    const std::string damaged = "The piece file is damaged";
    if (bytes.size() < kMagic.size() + 4)
        return refuse(problem, damaged + ": it ends too early.");
    // Fields first, the checksum last: a damaged field gets its own message.
    const std::size_t body = bytes.size() - 4;
    Cursor in(bytes, body);
    in.skip(kMagic.size());

    Piece piece;
    std::uint16_t length = 0;
    if (!in.u16(length) || !in.text(length, kMaxPieceNameBytes, piece.name) ||
        hasControlCharacter(piece.name))
        return refuse(problem, damaged + ": its name is cut short or not a name.");
    if (!in.u16(length) || !in.text(length, kMaxPieceEnvironmentBytes, piece.environment))
        return refuse(problem, damaged + ": it names no environment.");

    std::uint16_t kindCount = 0;
    if (!in.u16(kindCount) || kindCount == 0 || kindCount > kMaxPieceKinds)
        return refuse(problem, damaged + ": it lists no kinds, or too many.");
    piece.kinds.resize(kindCount);
    for (std::string& kind : piece.kinds) {
        std::uint8_t kindLength = 0;
        if (!in.u8(kindLength) || !in.text(kindLength, kMaxPieceKindNameBytes, kind))
            return refuse(problem, damaged + ": a kind's name is cut short.");
    }

    std::uint32_t blockCount = 0;
    if (!in.u32(blockCount) || blockCount == 0 || blockCount > kMaxPieceBlocks)
        return refuse(problem, damaged + ": it holds no blocks, or too many.");
    if (!in.has(std::size_t{blockCount} * kBlockBytes))
        return refuse(problem, damaged + ": its blocks are cut short.");
    piece.blocks.resize(blockCount);
    for (PieceBlock& block : piece.blocks) {
        in.u16(block.kind);
        in.u8(block.x);
        in.u8(block.y);
        in.u8(block.z);
        in.u8(block.turn);
        for (std::uint8_t& byte : block.variant)
            in.u8(byte);
        if (block.kind >= kindCount || block.x >= kPieceExtent || block.y >= kPieceExtent ||
            block.z >= kPieceExtent || block.turn > 3)
            return refuse(problem, damaged + ": a block lies outside the grid or has no kind.");
    }

    std::uint32_t pictureLength = 0;
    if (!in.u32(pictureLength) || pictureLength > kMaxPiecePictureBytes ||
        in.at() + pictureLength != body)
        return refuse(problem, damaged + ": its picture is cut short or too large.");
    piece.picture.assign(bytes.begin() + static_cast<std::ptrdiff_t>(in.at()),
                         bytes.begin() + static_cast<std::ptrdiff_t>(body));

    std::uint32_t stored = 0;
    if (!readU32(bytes, body, stored) || stored != crc32(bytes.data(), body))
        return refuse(problem, damaged + ": its checksum does not match.");
    return piece;
}
