#include "app/track_commands.h"

#include <filesystem>
#include <system_error>

#include "app/challenge_suffix.h"
#include "edit/area_cells.h"
#include "edit/edit_step.h"
#include "edit/editor_context.h"
#include "edit/seam_calls.h"
#include "edit/selection_ops.h"
#include "seams/prompts.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

std::string trackDisplayName(const EditorContext& ctx) {
    if (ctx.currentTrackPath.empty())
        return "new track";
    return std::filesystem::path(ctx.currentTrackPath).filename().string();
}

std::string mainWindowTitle(const EditorContext& ctx) {
    std::string title = kProgramCaption;
    if (!ctx.currentTrackPath.empty())
        title += " - " + trackDisplayName(ctx);
    if (ctx.history.modified())
        title += "*";
    return title;
}

TrackCommands::TrackCommands(EditorContext& ctx, ConverterLauncher& launcher, Hooks hooks)
    : ctx_(ctx), launcher_(launcher), hooks_(std::move(hooks)) {}

bool TrackCommands::open(const std::string& path) {
    // Nothing may point at the records that a successful open releases.
    prepareTrackReplace(ctx_);
    const bool opened = openTrack(ctx_.baseFolder, path, ctx_.currentTrack, ctx_.envelope,
                                  ctx_.catalog, *ctx_.prompts, launcher_);
    if (!opened) {
        // Whatever the reader left, the list shows exactly the track as it is now.
        finishTrackReplace(ctx_);
        ctx_.prompts->message(kOpenErrorText, kProgramCaption, MessageIcon::Error);
    }
    return opened;
}

bool TrackCommands::confirmUnsavedChanges() {
    if (!ctx_.history.modified() || !ctx_.prompts)
        return true;
    switch (ctx_.prompts->askSaveChanges("Save changes to " + trackDisplayName(ctx_) + "?")) {
    case SaveChoice::Save:
        return ctx_.currentTrackPath.empty() ? saveAsCommand() : saveTrackCommand();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool TrackCommands::openTrackCommand() {
    if (!confirmUnsavedChanges())
        return false;
    const std::optional<std::string> chosen = ctx_.prompts->chooseOpenPath();
    if (!chosen)
        return false;
    return openPathCommand(*chosen);
}

bool TrackCommands::openPathCommand(const std::string& path) {
    if (!open(path))
        return false;
    ctx_.currentTrackPath = path;
    clearArea(ctx_);
    refreshAfterOpening();
    if (hooks_.trackOpened)
        hooks_.trackOpened(path);
    return true;
}

bool TrackCommands::reloadCommand() {
    if (!confirmUnsavedChanges())
        return false;
    if (!open(ctx_.currentTrackPath))
        return false;
    refreshAfterOpening();
    return true;
}

bool TrackCommands::openRecovered(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    prepareTrackReplace(ctx_);
    if (!readConvertedTrack(ctx_.baseFolder, bytes, ctx_.currentTrack, ctx_.envelope, ctx_.catalog,
                            *ctx_.prompts)) {
        finishTrackReplace(ctx_);
        return false;
    }
    ctx_.currentTrackPath = path;
    clearArea(ctx_);
    refreshAfterOpening(false);
    return true;
}

void TrackCommands::refreshAfterOpening(bool matchesFile) {
    finishTrackReplace(ctx_);
    startNewHistory(ctx_, matchesFile);
    const std::string& environment =
        ctx_.catalog.environmentNames[static_cast<std::size_t>(ctx_.catalog.currentEnvironment)];
    ctx_.modelFolder = ctx_.baseFolder / "data" / environment / "models" / "";
    ctx_.textureFolder = ctx_.baseFolder / "data" / environment / "textures" / "";
    if (hooks_.rebuildModelLists)
        hooks_.rebuildModelLists();
    ctx_.viewChanged = true;
    if (hooks_.showEnvironmentName)
        hooks_.showEnvironmentName(environment);
    // The new track at once: a picture left from the old one reads as a failed open.
    displayFrame(ctx_);
}

bool TrackCommands::saveTrackCommand() {
    if (!saveTrack(ctx_.currentTrackPath, ctx_.currentTrack, ctx_.envelope, ctx_.catalog)) {
        ctx_.prompts->message(kSaveErrorText, kProgramCaption, MessageIcon::Error);
        return false;
    }
    noteTrackSaved(ctx_);
    ctx_.prompts->message(ctx_.currentTrackPath, kSavedCaption, MessageIcon::Information);
    return true;
}

bool TrackCommands::saveAsCommand() {
    if (countedBlocks(ctx_.currentTrack) == 0)
        return false;
    const std::optional<std::string> chosen = ctx_.prompts->chooseSavePath();
    if (!chosen)
        return false;
    // The dialog asked about replacing the name it was given; a suffix added here names another
    // file, which gets its own question.
    const std::string path = withChallengeSuffix(*chosen);
    std::error_code ec;
    if (path != *chosen && std::filesystem::exists(path, ec) &&
        !ctx_.prompts->askYesNo(path + kReplaceQuestionEnd, kSaveAsCaption))
        return false;
    if (!saveTrack(path, ctx_.currentTrack, ctx_.envelope, ctx_.catalog)) {
        ctx_.prompts->message(kSaveAsErrorText, kProgramCaption, MessageIcon::None);
        return false;
    }
    ctx_.prompts->message(path, kSavedCaption, MessageIcon::Information);
    return true;
}
