#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "edit/editor_context.h"
#include "platform/allocator_tuning.h"
#include "track/program_folders.h"

namespace {

std::vector<std::string> argumentsOf(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

int printAndExit(const CommandLine& line) {
    std::fputs(line.text.c_str(), line.kind == CommandLine::Kind::Error ? stderr : stdout);
    return exitCodeOf(line);
}

} // namespace

int main(int argc, char* argv[]) {
    // Help and version need no display, so they come before the toolkit starts; the toolkit's
    // own options (-platform, ...) are only known once it has taken them off the line.
    const CommandLine early = parseCommandLine(argumentsOf(argc, argv));
    if (early.kind == CommandLine::Kind::Help || early.kind == CommandLine::Kind::Version)
        return printAndExit(early);

    // Mesa's software rasteriser keeps its own thread count (one per core): with the drawing
    // throttled (draw_throttle.h) its threads cost little memory and save a fifth of a frame.
    tuneAllocator();
    QApplication app(argc, argv);
    // The menu entry's name, so that desktops give the window its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.blockyard.Blockyard"));
    const CommandLine line = parseCommandLine(argumentsOf(argc, argv));
    if (line.kind != CommandLine::Kind::Start)
        return printAndExit(line);

    const FoundFolders found = findProgramFolders();
    if (!found.folders) {
        std::fputs(("blockyard: " + found.problem).c_str(), stderr);
        return 1;
    }

    EditorContext ctx;
    ctx.folders.base = found.folders->base;
    ctx.folders.converter = found.folders->converter;
    QtPrompts prompts(ctx);
    ctx.setPrompts(&prompts);

    MainWindow window(ctx);
    window.ownDialogs(prompts);
    window.show();
    window.startUp();
    if (line.track)
        window.openTrackAt(*line.track);
    return app.exec();
}
