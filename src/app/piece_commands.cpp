#include "app/piece_commands.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QOpenGLWidget>

#include "app/command_action.h"
#include "edit/editor_context.h"
#include "edit/piece_blocks.h"
#include "seams/prompts.h"
#include "track/piece_library.h"
#include "ui/pieces_page.h"
#include "view/block_placement.h"
#include "view/camera_aim.h"

namespace {

constexpr int kPictureSide = 96;

void showError(EditorContext& ctx, const std::string& text) {
    ctx.prompts().message(text, kProgramCaption, MessageIcon::Error);
}

} // namespace

PieceCommands::PieceCommands(EditorContext& ctx, PiecesPage& page, QOpenGLWidget& view,
                             ViewState& viewState, std::function<void()> frame, QWidget& window,
                             std::function<void(const std::string&)> showStatus, Place place)
    : QObject(&window), ctx_(ctx), page_(page), view_(view), viewState_(viewState),
      frame_(std::move(frame)), showStatus_(std::move(showStatus)), place_(std::move(place)) {
    save_ = commandAction(this, window, QStringLiteral("Save selection as &piece..."), {});
    connect(save_, &QAction::triggered, this, [this] { saveSelection(); });
    page_.setChoose([this](const std::filesystem::path& file) { placePiece(file); });
    listener_ = ctx_.document.addListener(
        [this](const DocumentChange&) { save_->setEnabled(!ctx_.document.selection().empty()); });
    save_->setEnabled(false);
}

PieceCommands::~PieceCommands() {
    ctx_.document.removeListener(listener_);
}

std::vector<std::uint8_t> PieceCommands::selectionPicture() {
    Box3 box;
    for (const BlockRecord* record : ctx_.document.selection().members())
        box.add(blockBox(*record, ctx_.catalog, Box3{}));
    const Camera kept = viewState_.camera;
    aimCameraAt(viewState_.camera, box);
    frame_();
    const QImage frame = view_.grabFramebuffer();
    viewState_.camera = kept;
    frame_();
    if (frame.isNull())
        return {};
    const int side = std::min(frame.width(), frame.height());
    const QImage square =
        frame.copy((frame.width() - side) / 2, (frame.height() - side) / 2, side, side)
            .scaled(kPictureSide, kPictureSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    square.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

bool PieceCommands::saveSelection() {
    const std::optional<std::filesystem::path> folder = page_.folder();
    if (ctx_.document.selection().empty() || !folder)
        return false;
    const std::optional<std::string> name =
        ctx_.prompts().askText("Name of the piece:", "Save selection as piece", "");
    if (!name)
        return false;
    std::string problem;
    const std::optional<Piece> piece =
        pieceOfSelection(ctx_.document, ctx_.catalog, *name, selectionPicture(), problem);
    if (!piece) {
        showError(ctx_, problem);
        return false;
    }
    std::error_code ec;
    if (std::filesystem::exists(pieceFilePath(*folder, piece->name), ec) &&
        !ctx_.prompts().askYesNo("A piece named \"" + piece->name +
                                     "\" is kept already.\n\nReplace it?",
                                 kProgramCaption))
        return false;
    if (!writePieceFile(*folder, *piece, problem)) {
        showError(ctx_, problem);
        return false;
    }
    page_.refresh();
    if (showStatus_)
        showStatus_("Saved the piece \"" + piece->name + "\" (" +
                    std::to_string(piece->blocks.size()) + " blocks).");
    return true;
}

bool PieceCommands::placePiece(const std::filesystem::path& file) {
    std::string problem;
    const std::optional<Piece> piece = readPieceFile(
        file, ctx_.catalog.environmentNames[ctx_.catalog.currentEnvironment], problem);
    if (!piece) {
        showError(ctx_, problem);
        return false;
    }
    PieceGroup group = groupOfPiece(*piece, ctx_.catalog);
    if (group.blocks.entries.empty()) {
        showError(ctx_, "None of the kinds of the piece \"" + piece->name +
                            "\" is in this environment's catalogue.");
        return false;
    }
    if (!group.message.empty() && showStatus_)
        showStatus_(group.message);
    if (place_)
        place_(std::move(group.blocks), piece->name);
    return true;
}
