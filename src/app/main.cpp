#include <QApplication>

#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "edit/editor_context.h"

int main(int argc, char* argv[]) {
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
