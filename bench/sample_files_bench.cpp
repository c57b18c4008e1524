// Opening and saving real tracks: the data pack's large sample (10,366 blocks) and a track with a
// block in every cell of the grid (32,768 blocks), with the Stadium catalogue of the data pack.
// Opening is timed without the converter (reading the converted file, loading the catalogue,
// parsing into the document) and, for comparison, whole through the converter.
#include <fstream>
#include <iterator>

#include <benchmark/benchmark.h>

#include "bench_base.h"
#include "track/track_writer.h"

namespace {

struct Opened {
    Track track;
    TrackEnvelope envelope;
    CatalogState catalog;
    std::filesystem::path converted; // the converted file, as the converter leaves it
};

struct Files {
    BenchBase base;
    Opened tracks[2];
    bool ok = false;

    Files() {
        if (!base.ok())
            return;
        const char* names[2] = {kLargeSample, kFullGridTrack};
        for (int i = 0; i < 2; ++i) {
            Opened& o = tracks[i];
            if (!base.open(names[i], o.track, o.envelope, o.catalog))
                return;
            o.converted = base.tracks() / (std::string("converted-") + names[i]);
            if (!saveTrack(o.converted, o.track, o.envelope, o.catalog))
                return;
        }
        ok = true;
    }
};

Files* files(benchmark::State& state) {
    static Files f;
    if (!f.ok)
        state.SkipWithError("no data pack or converter in the build's runtime folder");
    return f.ok ? &f : nullptr;
}

std::vector<std::uint8_t> readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void setLabel(benchmark::State& state, const Opened& o) {
    state.counters["blocks"] = static_cast<double>(o.track.blocks.size());
}

// Parsing the converted bytes into a document, the catalogue already loaded.
void BM_Parse(benchmark::State& state) {
    Files* f = files(state);
    if (!f)
        return;
    const Opened& o = f->tracks[state.range(0)];
    const std::vector<std::uint8_t> bytes = readWhole(o.converted);
    for (auto _ : state) {
        Track track;
        TrackEnvelope envelope;
        if (!parseConvertedTrack(bytes, o.catalog, track, envelope))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(track.blocks.size());
    }
    setLabel(state, o);
}
BENCHMARK(BM_Parse)->ArgName("fullGrid")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What opening does once the converter has finished: read the converted file, load the
// environment's catalogue (names and block information files), parse into the document.
void BM_OpenConverted(benchmark::State& state) {
    Files* f = files(state);
    if (!f)
        return;
    const Opened& o = f->tracks[state.range(0)];
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes = readWhole(o.converted);
        CatalogState catalog;
        initEnvironmentNames(catalog.environmentNames);
        Track track;
        TrackEnvelope envelope;
        if (!loadCatalog(catalog, kStadium, f->base.path(), f->base.prompts) ||
            !parseConvertedTrack(bytes, catalog, track, envelope))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(track.blocks.size());
    }
    setLabel(state, o);
}
BENCHMARK(BM_OpenConverted)->ArgName("fullGrid")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole open: copy into the converter's folder, run the converter, wait for its ".bak", read.
void BM_OpenThroughConverter(benchmark::State& state) {
    Files* f = files(state);
    if (!f)
        return;
    const char* name = state.range(0) ? kFullGridTrack : kLargeSample;
    for (auto _ : state) {
        Track track;
        TrackEnvelope envelope;
        CatalogState catalog;
        if (!f->base.open(name, track, envelope, catalog))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(track.blocks.size());
    }
    setLabel(state, f->tracks[state.range(0)]);
}
BENCHMARK(BM_OpenThroughConverter)
    ->ArgName("fullGrid")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// Saving: serialise and write a temporary file that replaces the target.
void BM_Save(benchmark::State& state) {
    Files* f = files(state);
    if (!f)
        return;
    const Opened& o = f->tracks[state.range(0)];
    const std::filesystem::path target = f->base.tracks() / "saved.Challenge.Gbx";
    for (auto _ : state)
        if (!saveTrack(target, o.track, o.envelope, o.catalog))
            state.SkipWithError("save failed");
    setLabel(state, o);
}
BENCHMARK(BM_Save)->ArgName("fullGrid")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Serialising only, without the file system.
void BM_Serialise(benchmark::State& state) {
    Files* f = files(state);
    if (!f)
        return;
    const Opened& o = f->tracks[state.range(0)];
    for (auto _ : state) {
        auto bytes = serialiseTrack(o.track, o.envelope, o.catalog);
        if (!bytes)
            state.SkipWithError("serialise failed");
        benchmark::DoNotOptimize(bytes->data());
    }
    setLabel(state, o);
}
BENCHMARK(BM_Serialise)->ArgName("fullGrid")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
