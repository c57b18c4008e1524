#include "app/track_commands.h"

#include <filesystem>
#include <system_error>

#include "app/challenge_suffix.h"
#include "edit/editor_context.h"
#include "seams/prompts.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

std::string trackDisplayName(const TrackDocument& document) {
    if (document.path().empty())
        return "new track";
    return std::filesystem::path(document.path()).filename().string();
}

std::string mainWindowTitle(const TrackDocument& document) {
    std::string title = kProgramCaption;
    if (!document.path().empty())
        title += " - " + trackDisplayName(document);
    if (document.modified())
        title += "*";
    return title;
}

TrackCommands::TrackCommands(EditorContext& ctx, ConverterLauncher& launcher, Hooks hooks)
    : ctx_(ctx), launcher_(launcher), hooks_(std::move(hooks)) {}

bool TrackCommands::open(const std::string& path) {
    // An open starts from nothing selected, whether it succeeds or not.
    ctx_.document.clearSelection();
    Track track;
    TrackEnvelope envelope;
    if (!openTrack(ctx_.folders.base, ctx_.folders.converter, path, track, envelope, ctx_.catalog,
                   ctx_.prompts(), launcher_)) {
        ctx_.prompts().message(kOpenErrorText, kProgramCaption, MessageIcon::Error);
        return false;
    }
    ctx_.document.replaceTrack(std::move(track), std::move(envelope), path);
    followEnvironment();
    return true;
}

bool TrackCommands::confirmUnsavedChanges() {
    if (!ctx_.document.modified())
        return true;
    switch (
        ctx_.prompts().askSaveChanges("Save changes to " + trackDisplayName(ctx_.document) + "?")) {
    case SaveChoice::Save:
        return ctx_.document.path().empty() ? saveAsCommand() : saveTrackCommand();
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
    const std::optional<std::string> chosen = ctx_.prompts().chooseOpenPath();
    if (!chosen)
        return false;
    return openPathCommand(*chosen);
}

bool TrackCommands::openPathCommand(const std::string& path) {
    if (!open(path))
        return false;
    ctx_.areaEditor.clear();
    if (hooks_.trackOpened)
        hooks_.trackOpened(path);
    return true;
}

bool TrackCommands::reloadCommand() {
    if (!confirmUnsavedChanges())
        return false;
    return open(ctx_.document.path());
}

bool TrackCommands::openRecovered(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Track track;
    TrackEnvelope envelope;
    if (!readConvertedTrack(ctx_.folders.base, bytes, track, envelope, ctx_.catalog,
                            ctx_.prompts()))
        return false;
    ctx_.document.replaceTrack(std::move(track), std::move(envelope), path, false);
    ctx_.areaEditor.clear();
    followEnvironment();
    return true;
}

void TrackCommands::followEnvironment() {
    const std::string& environment =
        ctx_.catalog.environmentNames[static_cast<std::size_t>(ctx_.catalog.currentEnvironment)];
    ctx_.folders.models = ctx_.folders.base / "data" / environment / "models" / "";
    ctx_.folders.textures = ctx_.folders.base / "data" / environment / "textures" / "";
    if (hooks_.resolveModels)
        hooks_.resolveModels();
    if (hooks_.showEnvironmentName)
        hooks_.showEnvironmentName(environment);
}

bool TrackCommands::saveTrackCommand() {
    const TrackDocument& document = ctx_.document;
    if (!saveTrack(document.path(), document.track(), document.envelope(), ctx_.catalog)) {
        ctx_.prompts().message(kSaveErrorText, kProgramCaption, MessageIcon::Error);
        return false;
    }
    ctx_.document.noteSaved();
    ctx_.prompts().message(document.path(), kSavedCaption, MessageIcon::Information);
    return true;
}

bool TrackCommands::saveAsCommand() {
    const TrackDocument& document = ctx_.document;
    if (countedBlocks(document.track()) == 0)
        return false;
    const std::optional<std::string> chosen = ctx_.prompts().chooseSavePath();
    if (!chosen)
        return false;
    // The dialog asked about replacing the name it was given; a suffix added here names another
    // file, which gets its own question.
    const std::string path = withChallengeSuffix(*chosen);
    std::error_code ec;
    if (path != *chosen && std::filesystem::exists(path, ec) &&
        !ctx_.prompts().askYesNo(path + kReplaceQuestionEnd, kSaveAsCaption))
        return false;
    if (!saveTrack(path, document.track(), document.envelope(), ctx_.catalog)) {
        ctx_.prompts().message(kSaveAsErrorText, kProgramCaption, MessageIcon::None);
        return false;
    }
    ctx_.prompts().message(path, kSavedCaption, MessageIcon::Information);
    return true;
}
