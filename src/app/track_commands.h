#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct EditorContext;
class ConverterLauncher;

inline constexpr const char* kOpenErrorText =
    "An error occurred while opening your file.\n\nMake sure that Gridsmith can correctly open "
    "your track.";
inline constexpr const char* kSaveErrorText = "Hmm... What do you want to save? This blue sky?";
inline constexpr const char* kSaveAsErrorText = "ERROR!!!!!11";
inline constexpr const char* kSavedCaption = "Saved!";
inline constexpr const char* kSaveAsCaption = "Save as...";
inline constexpr const char* kReplaceQuestionEnd = " already exists.\nDo you want to replace it?";

// The main window's four track commands. The window supplies what needs it: the model lists are
// rebuilt with the view's GL context current, and the environment's name goes into its label.
class TrackCommands {
  public:
    struct Hooks {
        std::function<void()> rebuildModelLists;
        std::function<void(const std::string&)> showEnvironmentName;
        // After a track was opened or reloaded, and after Save track wrote it.
        std::function<void()> trackOpened;
        std::function<void()> trackSaved;
    };

    TrackCommands(EditorContext& ctx, ConverterLauncher& launcher, Hooks hooks);

    // Each returns whether its operation ran and succeeded; the outcome is also shown to the user.
    bool openTrackCommand();
    bool reloadCommand();
    bool saveTrackCommand();
    bool saveAsCommand();
    // Opens converted bytes (a recovery copy) as an unsaved edit of the track at `path`.
    bool openRecovered(const std::string& path, const std::vector<std::uint8_t>& bytes);

  private:
    bool open(const std::string& path);
    void refreshAfterOpening();

    EditorContext& ctx_;
    ConverterLauncher& launcher_;
    Hooks hooks_;
};
