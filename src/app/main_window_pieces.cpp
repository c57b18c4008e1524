// The user's pieces in the main window: their page beside the others, and the commands that save
// the selection as one and take one up to place it.
#include <QTabWidget>

#include "app/main_window.h"
#include "app/piece_commands.h"
#include "platform/user_folders.h"
#include "ui/pieces_page.h"

void MainWindow::createPieces() {
    piecesPage_ = new PiecesPage(ctx_, userDataFolder());
    tabs_->addTab(piecesPage_, QStringLiteral("Pieces"));
    pieceCommands_ = new PieceCommands(
        ctx_, *piecesPage_, *view_, viewState_, [this] { commandDone(false); }, *this,
        [this](const std::string& text) { showStatusMessage(QString::fromStdString(text)); },
        [this](const BlockClipboard& group, const std::string& what) {
            startPlacing(group, what);
        });
}
