#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "edit/editor_context.h"
#include "recording_prompts.h"
#include "temp_folder.h"

// The one QApplication of the test program, made at the first call and never destroyed. The
// program's per-user data folder is a fresh one, or the one named by kUserDataVariable.
void ensureApplication();
// Where the program's settings file goes from now on.
void useSettingsFolder(const std::filesystem::path& folder);
inline constexpr const char* kUserDataVariable = "BLOCKYARD_TEST_USER_DATA";

// What a block is, without its flags and list number: for comparing tracks read twice.
struct BlockShape {
    std::uint32_t catalogIndex;
    int x, y, z, rotation;
    std::array<std::uint8_t, 4> variant;
    bool operator==(const BlockShape&) const = default;
};
std::vector<BlockShape> shapesOf(const Track& track);

// How many colours a grid of every fourth pixel shows: a scene of blocks has far more than a
// cleared view.
std::size_t coloursShown(const QImage& image);

// A main window over a fresh base folder: data/ from the runtime folder, GS/ with the converter
// from the build, and tracks/ for the test's files. The window is shown and started up, with
// the prompts scripted by the test.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A new main window over the same context and settings, as at a restart of the program.
    void startWindow();
    // Copies the first sample track of the environment into tracks/; none when there is none.
    std::optional<std::string> copySample(const std::string& environment);
    // Replaces the converter with a program that always fails.
    void breakConverter();
    // Opens a file through the Open track button with the prompts answering the path.
    void openThroughButton(const std::string& path);
    void clickControl(int id);
    // Makes the window the active one, as a user's first click would; keys go to it then.
    void activateWindow();
    // A view pixel showing a block of the track (one that `wanted` accepts, when given), found
    // with a picking render, and its record.
    std::optional<std::pair<QPoint, const BlockRecord*>>
    findBlockPixel(const std::function<bool(const BlockRecord&)>& wanted = {});

    TempFolder base_;
    std::filesystem::path tracks_;
    std::filesystem::path previousFolder_;
    EditorContext ctx_;
    RecordingPrompts prompts_;
    std::vector<RecordingPrompts::Shown> startUpMessages_;
    std::unique_ptr<MainWindow> window_;
};

// The fixture's window made active with the keyboard focus in the view, as after a user's click.
class ActiveViewFixture : public AppFixture {
  protected:
    void SetUp() override;
};
