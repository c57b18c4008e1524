#include <cstdlib>

#include <QApplication>

#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "edit/editor_context.h"

int main(int argc, char* argv[]) {
    // Frames are drawn synchronously, one at a time, so Mesa's software rasteriser gains nothing
    // from queueing work for background threads; without them a large track needs some hundred
    // megabytes less. A value the user sets wins.
    setenv("LP_NUM_THREADS", "0", 0);
    QApplication app(argc, argv);
    EditorContext ctx;
    QtPrompts prompts(ctx);
    ctx.prompts = &prompts;

    MainWindow window(ctx);
    window.ownDialogs(prompts);
    window.show();
    window.startUp();
    return app.exec();
}
