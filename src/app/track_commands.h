#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct EditorContext;
class TrackDocument;
class ConverterLauncher;

inline constexpr const char* kOpenErrorText =
    "An error occurred while opening your file.\n\nMake sure that Gridsmith can correctly open "
    "your track.";
inline constexpr const char* kSaveErrorText = "Hmm... What do you want to save? This blue sky?";
inline constexpr const char* kSaveAsErrorText = "ERROR!!!!!11";
inline constexpr const char* kSavedCaption = "Saved!";
inline constexpr const char* kSaveAsCaption = "Save as...";
inline constexpr const char* kReplaceQuestionEnd = " already exists.\nDo you want to replace it?";

// The window title: the program's name, the open file's name, and "*" while there are unsaved
// changes: "Blockyard 0.1 alpha - A01-Race.Challenge.Gbx*".
std::string mainWindowTitle(const TrackDocument& document);
// The name the title and the unsaved-changes question give the open track.
std::string trackDisplayName(const TrackDocument& document);

// The main window's four track commands. The window supplies what needs it: the blocks' models
// are resolved with the view's GL context current, and the environment's name goes into its
// label.
class TrackCommands {
  public:
    struct Hooks {
        std::function<void()> resolveModels;
        std::function<void(const std::string&)> showEnvironmentName;
        // A track was opened from a path (not reloaded): for the recent tracks.
        std::function<void(const std::string&)> trackOpened;
    };

    TrackCommands(EditorContext& ctx, ConverterLauncher& launcher, Hooks hooks);

    // Each returns whether its operation ran and succeeded; the outcome is also shown to the user.
    bool openTrackCommand();
    // Open track without the dialog: a path from the command line, a drop or the recent tracks.
    bool openPathCommand(const std::string& path);
    bool reloadCommand();
    bool saveTrackCommand();
    bool saveAsCommand();
    // Opens converted bytes (a recovery copy) as an unsaved edit of the track at `path`.
    bool openRecovered(const std::string& path, const std::vector<std::uint8_t>& bytes);

    // With unsaved changes, asks "Save changes to <name>?": true to go on (saved, or the changes
    // discarded), false for Cancel or a save that failed. True at once without changes.
    bool confirmUnsavedChanges();

  private:
    // Reads the track at `path` and takes it into the document.
    bool open(const std::string& path);
    // The environment of the track just taken: its data folders, models and name.
    void followEnvironment();

    EditorContext& ctx_;
    ConverterLauncher& launcher_;
    Hooks hooks_;
};
