#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a track file's head says of the track, read and never changed: the header's text
// elements (<ident>, <desc>, <times>) and the head's first chunk of the track class, whose
// version 13 and later record the checkpoint count. Each field is none where the head does not
// hold it; `unread` names those fields in the order they are listed here.
struct TrackHeadInfo {
    std::optional<std::string> name;
    std::optional<std::string> author;
    std::optional<std::string> environment;
    std::optional<std::string> mood; // the decoration: time of day and sky
    std::optional<std::string> type; // "Race", "Stunts", ...
    // Milliseconds, or points in a stunts track.
    std::optional<std::uint32_t> bronze;
    std::optional<std::uint32_t> silver;
    std::optional<std::uint32_t> gold;
    std::optional<std::uint32_t> authorTime;
    std::optional<std::uint32_t> authorScore;
    std::optional<int> laps;        // 0 for a track that is not run in laps
    std::optional<int> checkpoints; // as the head records them
    std::vector<std::string> unread;
};

// Reads the head bytes of a converted track file (TrackEnvelope::headBytes); any bytes are
// taken, the fields they lack are unread.
TrackHeadInfo readTrackHead(const std::vector<std::uint8_t>& headBytes);

// A time in milliseconds as "m:ss.cc" (hundredths, cut), e.g. "0:24.54".
std::string raceTime(std::uint32_t milliseconds);

// The information as labelled lines, as the Track information panel and blockyard-tool info
// show it: "Name", "Author", "Environment", "Mood", "Type", "Bronze", "Silver", "Gold",
// "Author time", "Author score", "Laps", "Checkpoints", with "not in the head" for a field the
// head does not hold. Medals are times, or points in a stunts track.
std::vector<std::pair<std::string, std::string>> headInfoLines(const TrackHeadInfo& info);
