// Peak memory of the whole program: the real main window, started up, opens a track through its
// Open track button (the converter included), gives every block its model, and draws a display
// and a picking frame. Reports the process's peak resident size (getrusage ru_maxrss) after each
// track; the peak only grows, so the large sample runs before the full grid. Needs a display:
// run under xvfb-run.
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "bench_base.h"
#include "drawing_bench_main.h"
#include "seams/view_port.h"

namespace {

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

struct Program {
    BenchBase& base;
    std::unique_ptr<QApplication> app;
    EditorContext ctx;
    std::unique_ptr<MainWindow> window;
    double startedMegabytes = 0;
    bool ok = false;

    explicit Program(BenchBase& base) : base(base) {
        static int argc = 1;
        static char name[] = "blockyard";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        if (!base.ok())
            return;
        std::filesystem::current_path(base.path());
        ctx.setPrompts(&base.prompts);
        window = std::make_unique<MainWindow>(ctx);
        window->show();
        for (int i = 0; i < 100 && !window->view()->contextReady(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        window->startUp();
        QApplication::processEvents();
        startedMegabytes = peakResidentMegabytes();
        ok = window->view()->contextReady();
    }
};

Program* program() {
    // The base folder is removed at exit; the window and its GL context are left to the end of
    // the process, as Qt's GL objects must not outlive its thread data.
    static BenchBase base;
    static Program* p = new Program(base);
    return p->ok ? p : nullptr;
}

void BM_OpenInWholeProgram(benchmark::State& state) {
    Program* p = program();
    if (!p) {
        state.SkipWithError("no display, data pack or converter (run under xvfb-run)");
        return;
    }
    const char* track = state.range(0) ? kFullGridTrack : kLargeSample;
    for (auto _ : state) {
        p->base.prompts.openPaths.push_back((p->base.tracks() / track).string());
        static_cast<QPushButton*>(p->window->control(kOpenTrackButton))->click();
        QApplication::processEvents();
        state.counters["openedMB"] = peakResidentMegabytes();
        ViewPort& port = p->window->viewPort();
        port.renderFrame(true);
        port.renderFrame(false);
        port.renderFrame(true);
        QApplication::processEvents();
    }
    state.counters["blocks"] = static_cast<double>(p->ctx.document.blocks().size());
    state.counters["startedMB"] = p->startedMegabytes;
    state.counters["peakMB"] = peakResidentMegabytes();
}
BENCHMARK(BM_OpenInWholeProgram)
    ->ArgName("fullGrid")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return drawingBenchMain(argc, argv);
}
