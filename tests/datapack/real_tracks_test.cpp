#include <gtest/gtest.h>

#include <cstdio>

#include "real_track_kinds.h"
#include "real_tracks.h"
#include "sample_opening.h"
#include "track/track_writer.h"

using namespace real_track_kinds;

namespace {

using RealTracks = RealTrackTest;

} // namespace

// Every block of every real track finds its kind in the catalogue, with a model file of its
// kind, and the track saves back into the converted file byte for byte.
TEST_F(RealTracks, EveryBlockIsKnownAndTheTrackSavesBackUnchanged) {
    std::size_t blocks = 0;
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        OpenedSample opened = base.openFile(file);
        ASSERT_TRUE(opened.ok);
        const std::string& environment =
            runtime_files::kEnvironments[static_cast<std::size_t>(opened.track.environment)];
        for (const BlockRecord& record : opened.track.blocks) {
            ASSERT_NE(record.catalogIndex, 0u) << record.keptName;
            EXPECT_TRUE(
                std::filesystem::exists(runtime_files::kData / environment / "models" /
                                        (std::to_string(record.catalogIndex) + "_0_0_0_0.mdl")));
        }
        blocks += opened.track.blocks.size();
        base.catalog.currentEnvironment = opened.track.environment;
        std::optional<std::vector<std::uint8_t>> saved =
            serialiseTrack(opened.track, opened.envelope, base.catalog);
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(*saved, base.convertFile(file));
    }
    EXPECT_GT(blocks, 8000u);
    EXPECT_TRUE(base.prompts.shown.empty());
}

// A track built in the game has no two blocks in one cell, ground, water, pillars and clips
// aside: the footprints of the data pack say the same of the Stadium tracks, whose units are
// measured, and as little as the name rules allow of the others.
TEST_F(RealTracks, FootprintsOfRoadAndSceneryNeverOverlapInTheStadium) {
    int others = 0;
    for (const std::filesystem::path& file : files) {
        OpenedSample opened = base.openFile(file);
        ASSERT_TRUE(opened.ok);
        const int overlapping =
            overlappingCells(opened.track, environmentKinds(opened.track.environment));
        std::printf("overlapping cells: %-28s %4d of %zu blocks\n",
                    file.filename().string().c_str(), overlapping, opened.track.blocks.size());
        if (opened.track.environment == 6)
            EXPECT_EQ(overlapping, 0) << file.filename();
        else
            others += overlapping;
    }
    EXPECT_LE(others, 30);
}

// Names leave open which way a piece runs; of every orientation the models of an environment
// could take, the one they follow makes the most road ends of its real tracks meet a
// neighbour's end.
TEST_F(RealTracks, TheModelsOrientationJoinsTheMostRoadEnds) {
    std::vector<std::pair<Track, int>> tracks;
    for (const std::filesystem::path& file : files) {
        OpenedSample opened = base.openFile(file);
        ASSERT_TRUE(opened.ok);
        const int environment = opened.track.environment;
        tracks.emplace_back(std::move(opened.track), environment);
    }
    auto total = [&](int environment, const RoadOrientation& orientation) {
        EndCount sum;
        for (const auto& [track, e] : tracks) {
            if (e != environment)
                continue;
            EndCount count = roadEndsMeeting(track, environmentKinds(e), orientation);
            sum.ends += count.ends;
            sum.met += count.met;
        }
        return sum;
    };
    EndCount all;
    for (int environment = 0; environment < 7; ++environment) {
        SCOPED_TRACE(environment);
        const EndCount chosen = total(environment, roadOrientation(environment));
        all.ends += chosen.ends;
        all.met += chosen.met;
        for (bool alongX : {false, true})
            for (int corner = 0; corner < 4; ++corner)
                for (bool down : {false, true})
                    EXPECT_LE(total(environment, {alongX, corner, down}).met, chosen.met)
                        << alongX << " " << corner << " " << down;
    }
    std::printf("road ends meeting a neighbour: %d of %d\n", all.met, all.ends);
    EXPECT_GT(all.met, all.ends * 2 / 5);
}
