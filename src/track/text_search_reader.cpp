#include "track/text_search_reader.h"

#include <algorithm>
#include <string_view>

#include "track/block_entry.h"
#include "track/byte_reading.h"

namespace {

constexpr std::size_t kDescSearchOffset = 40;
constexpr std::size_t kUidSearchOffset = 40;
constexpr std::size_t kEnvirCodeOffset = 13;
constexpr std::size_t kCountOffset = 25;
constexpr std::uint16_t kSkipReference = 5;
constexpr std::size_t kHeadNameCount = 5;

bool atText(const std::vector<std::uint8_t>& bytes, std::size_t at, std::string_view text) {
    return hasBytes(bytes, at, text.size()) &&
           std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

} // namespace

std::optional<ParsedTrack> readByTextSearch(const std::vector<std::uint8_t>& bytes,
                                            const EnvironmentNames& environmentNames,
                                            int previousEnvironment) {
    ParsedTrack parsed;
    Track& track = parsed.track;

    auto ident = findText(bytes, 0, "<ident uid=");
    if (!ident)
        return std::nullopt;
    track.uid = readUid(bytes, *ident);

    auto desc = findText(bytes, *ident + kDescSearchOffset, "<desc envir=");
    if (!desc)
        return std::nullopt;
    track.environment = previousEnvironment >= 0 && previousEnvironment < kEnvironmentCount
                            ? previousEnvironment
                            : 0;
    std::size_t codeAt = *desc + kEnvirCodeOffset;
    if (codeAt < bytes.size()) {
        std::string_view code(reinterpret_cast<const char*>(bytes.data()) + codeAt,
                              std::min<std::size_t>(2, bytes.size() - codeAt));
        if (auto environment = environmentFromCode(code))
            track.environment = *environment;
    }

    auto uidAgain = findText(bytes, *desc + kUidSearchOffset, track.uid);
    if (!uidAgain)
        return std::nullopt;
    auto environmentAt = findText(bytes, *uidAgain, environmentNames[track.environment]);
    if (!environmentAt)
        return std::nullopt;
    auto nadeo = findText(bytes, *environmentAt + 1, "Nadeo");
    if (!nadeo)
        return std::nullopt;

    std::size_t countAt = *nadeo + kCountOffset;
    std::uint32_t stored = 0;
    if (!readU32(bytes, countAt, stored))
        return std::nullopt;

    NameTable names;
    names.texts.resize(kHeadNameCount);
    names.headCount = kHeadNameCount;
    NodeTable nodes;
    std::uint32_t counted = 0;
    std::size_t at = countAt + 4;
    while (true) {
        if (!hasBytes(bytes, at, 4))
            return std::nullopt;
        if (atText(bytes, at, kEndMarker))
            break;
        std::uint16_t reference = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
        if (reference == kSkipReference) {
            // A stretch the editor does not understand: resume behind the next node's end.
            auto facade = findText(bytes, at, kFacade);
            if (!facade)
                return std::nullopt;
            at = *facade + kFacade.size();
            if (!hasBytes(bytes, at, 4))
                return std::nullopt;
            if (atText(bytes, at, kEndMarker))
                break;
            reference = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
        }

        BlockRecord record;
        if (reference == 0) {
            std::uint32_t length = 0;
            // A block needs a name to be written back under.
            if (!readU32(bytes, at + 4, length) || length == 0 || !hasBytes(bytes, at + 8, length))
                return std::nullopt;
            record.keptName.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
            // Every spelled-out name takes a number, known to the catalogue or not, so that
            // later references keep the file's own numbering.
            names.texts.push_back(record.keptName);
            at += 8 + length;
        } else {
            if (reference > names.headCount && reference <= names.texts.size())
                record.keptName = names.texts[reference - 1];
            else
                ++parsed.unresolvedReferences;
            at += 4;
        }
        bool isCounted = false;
        if (!readBlockBody(bytes, at, names, nodes, record, isCounted))
            return std::nullopt;
        if (isCounted)
            ++counted;
        record.flags = 0;
        track.blocks.push_back(std::move(record));
    }
    if (counted != stored)
        return std::nullopt;

    parsed.envelope.headBytes.assign(bytes.begin(),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(countAt));
    parsed.envelope.tailBytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    parsed.envelope.headNames.assign(
        names.texts.begin(), names.texts.begin() + static_cast<std::ptrdiff_t>(names.headCount));
    return parsed;
}
