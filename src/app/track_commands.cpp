#include "app/track_commands.h"

#include <filesystem>
#include <system_error>

#include "app/challenge_suffix.h"
#include "edit/area_cells.h"
#include "edit/editor_context.h"
#include "edit/selection_ops.h"
#include "seams/prompts.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

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

bool TrackCommands::openTrackCommand() {
    const std::optional<std::string> chosen = ctx_.prompts->chooseOpenPath();
    if (!chosen)
        return false;
    if (!open(*chosen))
        return false;
    ctx_.currentTrackPath = *chosen;
    clearArea(ctx_);
    refreshAfterOpening();
    return true;
}

bool TrackCommands::reloadCommand() {
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
    refreshAfterOpening();
    return true;
}

void TrackCommands::refreshAfterOpening() {
    finishTrackReplace(ctx_);
    const std::string& environment =
        ctx_.catalog.environmentNames[static_cast<std::size_t>(ctx_.catalog.currentEnvironment)];
    ctx_.modelFolder = ctx_.baseFolder / "data" / environment / "models" / "";
    ctx_.textureFolder = ctx_.baseFolder / "data" / environment / "textures" / "";
    if (hooks_.rebuildModelLists)
        hooks_.rebuildModelLists();
    ctx_.viewChanged = true;
    if (hooks_.showEnvironmentName)
        hooks_.showEnvironmentName(environment);
    if (hooks_.trackOpened)
        hooks_.trackOpened();
}

bool TrackCommands::saveTrackCommand() {
    if (!saveTrack(ctx_.currentTrackPath, ctx_.currentTrack, ctx_.envelope, ctx_.catalog)) {
        ctx_.prompts->message(kSaveErrorText, kProgramCaption, MessageIcon::Error);
        return false;
    }
    if (hooks_.trackSaved)
        hooks_.trackSaved();
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
