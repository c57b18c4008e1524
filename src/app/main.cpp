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

    // Frames are drawn synchronously, one at a time, so Mesa's software rasteriser gains nothing
    // from queueing work for background threads; without them a large track needs some hundred
    // megabytes less. A value the user sets wins.
    setenv("LP_NUM_THREADS", "0", 0);
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
