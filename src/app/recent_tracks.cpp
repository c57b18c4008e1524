#include "app/recent_tracks.h"

#include <algorithm>

std::vector<std::string> withoutRecentTrack(std::vector<std::string> tracks,
                                            const std::string& path) {
    tracks.erase(std::remove(tracks.begin(), tracks.end(), path), tracks.end());
    return tracks;
}

std::vector<std::string> withRecentTrack(std::vector<std::string> tracks, const std::string& path) {
    tracks = withoutRecentTrack(std::move(tracks), path);
    tracks.insert(tracks.begin(), path);
    if (tracks.size() > kRecentTrackLimit)
        tracks.resize(kRecentTrackLimit);
    return tracks;
}
