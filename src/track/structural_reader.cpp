#include "track/structural_reader.h"

#include <string_view>

#include "track/block_entry.h"
#include "track/byte_reading.h"

namespace {

constexpr std::uint32_t kNamesChunk = 0x00D;
constexpr std::uint32_t kCollectionChunk = 0x011;
constexpr std::uint32_t kBlockListChunk = 0x01F;
constexpr std::uint32_t kFollowingChunk = 0x021;
constexpr std::uint32_t kSkippable = 0x534B4950; // "PIKS"
constexpr std::uint32_t kBlockListVersion = 1;

bool isOneOf(std::uint32_t value, std::uint32_t a, std::uint32_t b) {
    return value == a || value == b;
}

class BodyWalker {
  public:
    explicit BodyWalker(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    std::size_t at = 0;
    NameTable names;
    NodeTable nodes;

    bool u32(std::uint32_t& value) {
        if (!readU32(bytes_, at, value))
            return false;
        at += 4;
        return true;
    }
    bool expect(std::uint32_t wanted) {
        std::uint32_t value = 0;
        return u32(value) && value == wanted;
    }
    bool skip(std::size_t count) {
        if (!hasBytes(bytes_, at, count))
            return false;
        at += count;
        return true;
    }
    bool name(ParsedName& parsed) { return readName(bytes_, at, names, parsed); }
    bool names3() {
        ParsedName ignored;
        return name(ignored) && name(ignored) && name(ignored);
    }
    bool string() {
        std::uint32_t length = 0;
        return u32(length) && skip(length);
    }
    // A node given here whose chunks the editor does not read: it ends at its 0xFACADE01.
    bool skipToFacade() {
        auto facade = findText(bytes_, at, kFacade);
        if (!facade)
            return false;
        at = *facade + kFacade.size();
        return true;
    }

    // The collection list node and the track parameters node, then one number.
    bool collectionChunk() {
        std::uint32_t node = 0;
        std::uint32_t classId = 0;
        std::uint32_t count = 0;
        if (!u32(node) || !u32(classId) || !isOneOf(classId, 0x0301B000, 0x2403C000) ||
            !expect(classId) || !u32(count))
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!names3() || !skip(4))
                return false;
        }
        if (!expect(kFacadeValue))
            return false;
        nodes.emplace(node, nullptr);
        if (!u32(node) || !u32(classId) || !isOneOf(classId, 0x0305B000, 0x2400C000) ||
            !skipToFacade())
            return false;
        nodes.emplace(node, nullptr);
        return skip(4);
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
};

// The header's uid is cut at 27 characters; the list's is whole.
bool sameUid(const std::string& listUid, const std::string& headerUid) {
    constexpr std::size_t kHeaderUidLength = 27;
    if (listUid.size() > kHeaderUidLength && headerUid.size() == kHeaderUidLength)
        return listUid.compare(0, kHeaderUidLength, headerUid) == 0;
    return listUid == headerUid;
}

// The header up to the body; the body's first byte, or none when this is not an uncompressed
// track container without external references.
std::optional<std::size_t> bodyStart(const std::vector<std::uint8_t>& bytes,
                                     std::uint32_t& classId) {
    if (!hasBytes(bytes, 0, 9) || findText(bytes, 0, "GBX") != 0)
        return std::nullopt;
    unsigned version = bytes[3] | bytes[4] << 8;
    if (version < 3 || version > 6 || bytes[5] != 'B' || bytes[7] != 'U')
        return std::nullopt;
    std::size_t at = version >= 4 ? 9 : 8;
    if (!readU32(bytes, at, classId) || !isOneOf(classId, kTrackClass, kOldTrackClass))
        return std::nullopt;
    at += 4;
    if (version >= 6) {
        std::uint32_t userData = 0;
        if (!readU32(bytes, at, userData) || !hasBytes(bytes, at + 4, userData))
            return std::nullopt;
        at += 4 + userData;
    }
    std::uint32_t external = 0;
    if (!readU32(bytes, at + 4, external) || external != 0)
        return std::nullopt;
    return at + 8;
}

} // namespace

std::optional<ParsedTrack> readByStructure(const std::vector<std::uint8_t>& bytes,
                                           int previousEnvironment) {
    std::uint32_t C = 0;
    std::optional<std::size_t> body = bodyStart(bytes, C);
    if (!body)
        return std::nullopt;
    ParsedTrack parsed;
    Track& track = parsed.track;

    auto ident = findText(bytes, 0, "<ident uid=");
    if (!ident || *ident >= *body)
        return std::nullopt;
    track.uid = readUid(bytes, *ident);
    std::optional<int> environment;
    if (auto desc = findText(bytes, 0, "<desc envir="); desc && *desc + 13 < *body) {
        std::string_view code(reinterpret_cast<const char*>(bytes.data()) + *desc + 13,
                              std::min<std::size_t>(2, *body - *desc - 13));
        environment = environmentFromCode(code);
    }

    BodyWalker walk(bytes);
    walk.at = *body;
    walk.names.versionRead = false;
    while (true) {
        std::uint32_t id = 0;
        std::uint32_t marker = 0;
        if (!walk.u32(id))
            return std::nullopt;
        if (id == C + kBlockListChunk)
            break;
        if (readU32(bytes, walk.at, marker) && marker == kSkippable) {
            std::uint32_t size = 0;
            if (!walk.skip(4) || !walk.u32(size) || !walk.skip(size))
                return std::nullopt;
            continue;
        }
        bool known = id == C + kNamesChunk        ? walk.names3()
                     : id == C + kCollectionChunk ? walk.collectionChunk()
                                                  : false;
        if (!known)
            return std::nullopt;
    }

    ParsedName uid;
    ParsedName environmentName;
    ParsedName ignored;
    std::uint32_t version = 0;
    if (!walk.name(uid) || !sameUid(uid.text, track.uid) || !walk.name(environmentName) ||
        !walk.name(ignored) || !walk.string() || !walk.names3() || !walk.skip(16) ||
        !walk.u32(version) || version != kBlockListVersion)
        return std::nullopt;
    if (!environment)
        environment = environmentFromCode(environmentName.text);
    track.environment = environment ? *environment
                        : previousEnvironment >= 0 && previousEnvironment < kEnvironmentCount
                            ? previousEnvironment
                            : 0;

    std::size_t countAt = walk.at;
    std::uint32_t stored = 0;
    if (!walk.u32(stored))
        return std::nullopt;
    walk.names.headCount = walk.names.texts.size();
    parsed.envelope.headNames = walk.names.texts;

    std::uint32_t counted = 0;
    std::uint32_t next = 0;
    // Blocks the count leaves out may also stand behind the last counted one.
    while (counted < stored ||
           (readU32(bytes, walk.at, next) && next != C + kFollowingChunk && (next & kNameFlags))) {
        ParsedName name;
        // A block needs a name to be written back under.
        if (!walk.name(name) || name.empty || name.predefined || name.text.empty())
            return std::nullopt;
        BlockRecord record;
        record.keptName = name.text;
        bool isCounted = false;
        if (!readBlockBody(bytes, walk.at, walk.names, walk.nodes, record, isCounted))
            return std::nullopt;
        if (isCounted)
            ++counted;
        track.blocks.push_back(std::move(record));
    }
    if (!readU32(bytes, walk.at, next) || next != C + kFollowingChunk)
        return std::nullopt;

    parsed.envelope.headBytes.assign(bytes.begin(),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(countAt));
    parsed.envelope.tailBytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(walk.at),
                                     bytes.end());
    return parsed;
}
