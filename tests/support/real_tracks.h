#pragma once

#include <algorithm>
#include <filesystem>
#include <vector>

// The game's real tracks beside the repository (../shared/real-tracks), read in place and never
// copied. Tests that need them skip when the folder is absent.
inline std::filesystem::path realTracksFolder() {
    return std::filesystem::path(BLOCKYARD_SHARED_DIR) / "real-tracks";
}

// Every ".Challenge.Gbx" file of the folder, sorted by name; empty when the folder is absent.
inline std::vector<std::filesystem::path> realTrackFiles() {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(realTracksFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 14 && name.ends_with(".Challenge.Gbx"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The track with the most blocks (1,365, as the folder's README lists them).
inline std::filesystem::path largestRealTrack() {
    return realTracksFolder() / "B14-Speed.Challenge.Gbx";
}
