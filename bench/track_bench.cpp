// Parsing and serialising a converted track of 32,768 blocks.
#include <benchmark/benchmark.h>

#include "catalog/catalog.h"
#include "converted_track_builder.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

constexpr int kBlocks = 32768;
constexpr int kKinds = 300;
constexpr int kStadium = 6;

CatalogState stadiumCatalog() {
    CatalogState state;
    initEnvironmentNames(state.environmentNames);
    state.currentEnvironment = kStadium;
    for (int i = 1; i <= kKinds; ++i) {
        CatalogEntry entry;
        entry.name = "StadiumBlockKindNumber" + std::to_string(i);
        state.catalogs[kStadium].entries.push_back(entry);
    }
    return state;
}

// Every eighth block carries a skin; a few hundred skin nodes are shared.
std::vector<std::uint8_t> bigTrack(bool headDefinesNames) {
    ConvertedTrackBuilder b;
    if (headDefinesNames)
        b.collectionNames = {"StadiumBlockKindNumber1", "StadiumBlockKindNumber2"};
    for (int i = 0; i < kBlocks; ++i) {
        std::string name = "StadiumBlockKindNumber" + std::to_string(i % kKinds + 1);
        bool skinned = i % 8 == 0;
        b.block(name, static_cast<std::uint8_t>(i % 4), static_cast<std::uint8_t>(i % 32),
                static_cast<std::uint8_t>(i / 32 % 32), static_cast<std::uint8_t>(i / 1024),
                skinned ? 0x8000 : 0);
        if (skinned) {
            b.skinAuthor("Nadeo");
            std::uint32_t node = 100 + static_cast<std::uint32_t>(i / 8 % 500);
            if (i / 8 < 500)
                b.nodeNew(node);
            else
                b.nodeRef(node);
        }
    }
    return b.build();
}

void parseTrack(benchmark::State& state, bool headDefinesNames) {
    std::vector<std::uint8_t> bytes = bigTrack(headDefinesNames);
    CatalogState catalog = stadiumCatalog();
    for (auto _ : state) {
        Track track;
        TrackEnvelope envelope;
        bool ok = parseConvertedTrack(bytes, catalog, track, envelope);
        if (!ok || track.blocks.size() != kBlocks)
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(track.blocks.back().x);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ParseConvertedTrack(benchmark::State& state) {
    parseTrack(state, false);
}
void BM_ParseConvertedTrackByStructure(benchmark::State& state) {
    parseTrack(state, true);
}

void BM_SerialiseTrack(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = bigTrack(false);
    CatalogState catalog = stadiumCatalog();
    Track track;
    TrackEnvelope envelope;
    if (!parseConvertedTrack(bytes, catalog, track, envelope)) {
        state.SkipWithError("parse failed");
        return;
    }
    for (auto _ : state) {
        auto written = serialiseTrack(track, envelope, catalog);
        if (!written || written->size() != bytes.size())
            state.SkipWithError("serialise failed");
        benchmark::DoNotOptimize(written->data());
    }
}

} // namespace

BENCHMARK(BM_ParseConvertedTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseConvertedTrackByStructure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerialiseTrack)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
