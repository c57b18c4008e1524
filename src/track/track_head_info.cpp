#include "track/track_head_info.h"

#include <charconv>
#include <cstdio>

#include "track/byte_reading.h"
#include "track/track_header.h"

namespace {

std::optional<std::uint32_t> number(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || text->empty())
        return std::nullopt;
    return value;
}

// What the head's first chunk of the track class records (0x03043002, or 0x24003002 in the
// older class): after a version byte and, from version 3, a 32-bit flag, the bronze, silver,
// gold and author times (version 1 on), a byte (version 2 only), the cost (4 on), the multilap
// flag (5 on), a flag (6 only), the track type (7 on), a word (9 on), the author score (10 on),
// the editor mode (11 on), a flag (12 on), then the checkpoint and lap counts (13 on). Versions
// below 3 begin with names this reader does not follow.
struct FirstChunk {
    std::optional<std::uint32_t> times[4];
    std::optional<std::uint32_t> authorScore;
    std::optional<int> checkpoints;
    std::optional<int> laps;
};

FirstChunk readFirstChunk(const std::vector<std::uint8_t>& head) {
    FirstChunk chunk;
    // "GBX", version, format bytes (three before version 6, four from it), class, size of the
    // head's chunks, their count, then each chunk's id and size (the top bit marks heavy ones).
    std::uint32_t classId = 0, count = 0;
    if (!hasBytes(head, 0, 5) || head[0] != 'G' || head[1] != 'B' || head[2] != 'X')
        return chunk;
    const std::size_t formatBytes = head[3] >= 6 ? 4 : 3;
    std::size_t at = 5 + formatBytes;
    if (!readU32(head, at, classId) || !readU32(head, at + 8, count) || count > 64)
        return chunk;
    std::size_t data = at + 12 + 8 * std::size_t{count};
    std::size_t first = 0, size = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t id = 0, bytes = 0;
        if (!readU32(head, at + 12 + 8 * i, id) || !readU32(head, at + 16 + 8 * i, bytes))
            return chunk;
        bytes &= 0x7FFFFFFF;
        if (id == (classId | 0x002)) {
            first = data;
            size = bytes;
            break;
        }
        data += bytes;
    }
    if (size == 0 || !hasBytes(head, first, size))
        return chunk;
    const std::vector<std::uint8_t> bytes(head.begin() + static_cast<std::ptrdiff_t>(first),
                                          head.begin() + static_cast<std::ptrdiff_t>(first + size));
    const int version = bytes[0];
    if (version < 3)
        return chunk;
    std::size_t p = 5;
    auto next = [&bytes, &p]() -> std::optional<std::uint32_t> {
        std::uint32_t value = 0;
        if (!readU32(bytes, p, value))
            return std::nullopt;
        p += 4;
        return value;
    };
    for (auto& time : chunk.times)
        time = next();
    if (version >= 4)
        next(); // cost
    if (version >= 5)
        next(); // multilap
    if (version == 6)
        next();
    if (version >= 7)
        next(); // track type
    if (version >= 9)
        next();
    if (version >= 10)
        chunk.authorScore = next();
    if (version >= 11)
        next(); // editor mode
    if (version >= 12)
        next();
    if (version >= 13) {
        const std::optional<std::uint32_t> checkpoints = next();
        const std::optional<std::uint32_t> laps = next();
        if (checkpoints && *checkpoints < 100000)
            chunk.checkpoints = static_cast<int>(*checkpoints);
        if (laps && *laps < 100000)
            chunk.laps = static_cast<int>(*laps);
    }
    return chunk;
}

} // namespace

TrackHeadInfo readTrackHead(const std::vector<std::uint8_t>& headBytes) {
    TrackHeadInfo info;
    info.name = headerAttribute(headBytes, "ident", "name");
    info.author = headerAttribute(headBytes, "ident", "author");
    info.environment = headerAttribute(headBytes, "desc", "envir");
    info.mood = headerAttribute(headBytes, "desc", "mood");
    info.type = headerAttribute(headBytes, "desc", "type");
    const FirstChunk chunk = readFirstChunk(headBytes);
    const char* timeNames[] = {"bronze", "silver", "gold", "authortime"};
    std::optional<std::uint32_t>* times[] = {&info.bronze, &info.silver, &info.gold,
                                             &info.authorTime};
    for (std::size_t i = 0; i < 4; ++i) {
        *times[i] = number(headerAttribute(headBytes, "times", timeNames[i]));
        if (!*times[i])
            *times[i] = chunk.times[i];
    }
    info.authorScore = number(headerAttribute(headBytes, "times", "authorscore"));
    if (!info.authorScore)
        info.authorScore = chunk.authorScore;
    if (const std::optional<std::uint32_t> laps =
            number(headerAttribute(headBytes, "desc", "nblaps"));
        laps && *laps < 100000)
        info.laps = static_cast<int>(*laps);
    else
        info.laps = chunk.laps;
    info.checkpoints = chunk.checkpoints;

    const std::pair<const char*, bool> fields[] = {
        {"name", info.name.has_value()},
        {"author", info.author.has_value()},
        {"environment", info.environment.has_value()},
        {"mood", info.mood.has_value()},
        {"type", info.type.has_value()},
        {"bronze", info.bronze.has_value()},
        {"silver", info.silver.has_value()},
        {"gold", info.gold.has_value()},
        {"author time", info.authorTime.has_value()},
        {"author score", info.authorScore.has_value()},
        {"laps", info.laps.has_value()},
        {"checkpoints", info.checkpoints.has_value()},
    };
    for (const auto& [field, read] : fields)
        if (!read)
            info.unread.emplace_back(field);
    return info;
}

std::string raceTime(std::uint32_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u.%02u", milliseconds / 60000, milliseconds / 1000 % 60,
                  milliseconds / 10 % 100);
    return text;
}

std::vector<std::pair<std::string, std::string>> headInfoLines(const TrackHeadInfo& info) {
    static const std::string kMissing = "not in the head";
    const bool stunts = info.type == "Stunts";
    auto text = [](const std::optional<std::string>& value) { return value.value_or(kMissing); };
    auto medal = [stunts](const std::optional<std::uint32_t>& value) -> std::string {
        if (!value)
            return kMissing;
        return stunts ? std::to_string(*value) + " points" : raceTime(*value);
    };
    auto count = [](const auto& value) -> std::string {
        return value ? std::to_string(*value) : kMissing;
    };
    return {{"Name", text(info.name)},
            {"Author", text(info.author)},
            {"Environment", text(info.environment)},
            {"Mood", text(info.mood)},
            {"Type", text(info.type)},
            {"Bronze", medal(info.bronze)},
            {"Silver", medal(info.silver)},
            {"Gold", medal(info.gold)},
            {"Author time", info.authorTime ? raceTime(*info.authorTime) : kMissing},
            {"Author score", count(info.authorScore)},
            {"Laps", count(info.laps)},
            {"Checkpoints", count(info.checkpoints)}};
}
