#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

#include <sys/wait.h>

#include "catalog_fixture.h"
#include "converted_track_builder.h"
#include "file_bytes.h"
#include "recording_prompts.h"
#include "temp_folder.h"
#include "track/converter_launch.h"
#include "track/track_reader.h"

namespace {

// Converts in place at once: the named file becomes `converted`, its old bytes go to ".bak".
class FakeConverter : public ConverterLauncher {
  public:
    std::vector<std::uint8_t> converted;
    bool leaveBak = true;
    std::vector<std::string> arguments;
    std::vector<std::filesystem::path> folders;
    int reaped = 0;
    // Runs at the start, before the conversion: another open while this one is under way.
    std::function<void()> meanwhile;

    bool start(const std::filesystem::path&, const std::string& argument,
               const std::filesystem::path& workingFolder) override {
        arguments.push_back(argument);
        folders.push_back(workingFolder);
        if (meanwhile)
            std::exchange(meanwhile, nullptr)();
        std::filesystem::path name = workingFolder / argument;
        std::vector<std::uint8_t> original = readFile(name);
        if (!leaveBak)
            return true;
        writeFile(name, converted);
        writeFile(workingFolder / (argument + ".bak"), original);
        return true;
    }
    void reap(std::chrono::milliseconds) override { ++reaped; }
};

class OpenTrack : public ::testing::Test {
  protected:
    TempFolder base;
    TempFolder elsewhere;
    CatalogState catalog;
    RecordingPrompts prompts;
    FakeConverter converter;
    Track track;
    TrackEnvelope envelope;

    void SetUp() override {
        initEnvironmentNames(catalog.environmentNames);
        std::filesystem::create_directories(base.path() / "GS");
        std::filesystem::create_directories(base.path() / "data" / "Stadium");
        std::ofstream(base.path() / "data" / "Stadium" / "blocks.dat") << "Grass\nRoad\n";
        ConvertedTrackBuilder b;
        b.block("Road", 1, 2, 3, 4);
        b.block("Grass", 0, 5, 6, 7);
        converter.converted = b.build();
        track.uid = "old";
        track.blocks.push_back(BlockRecord{});
        envelope.headBytes = {1};
    }

    bool open(const std::string& source) {
        return openTrack(base.path(), converterSiteIn(base.path()), source, track, envelope,
                         catalog, prompts, converter);
    }
    void expectUntouched() {
        EXPECT_EQ(track.uid, "old");
        EXPECT_EQ(countedBlocks(track), 1u);
        EXPECT_EQ(envelope.headBytes, std::vector<std::uint8_t>{1});
    }
    std::size_t filesInConverterFolder() {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(base.path() / "GS"),
                          std::filesystem::directory_iterator()));
    }
};

TEST_F(OpenTrack, CopiesUnderANameWithoutSpacesAndReadsTheConvertedFile) {
    std::filesystem::path source = elsewhere.path() / "My nice track.Challenge.Gbx";
    writeFile(source, {'c', 'o', 'm', 'p'});
    ASSERT_TRUE(open(source.string()));
    ASSERT_EQ(converter.arguments.size(), 1u);
    EXPECT_EQ(converter.arguments[0], "My_nice_track.Challenge.Gbx");
    EXPECT_EQ(converter.folders[0], base.path() / "GS");
    EXPECT_EQ(converter.reaped, 1);
    EXPECT_EQ(filesInConverterFolder(), 0u);
    EXPECT_EQ(readFile(source), (std::vector<std::uint8_t>{'c', 'o', 'm', 'p'}));

    EXPECT_EQ(catalog.currentEnvironment, 6);
    ASSERT_EQ(track.blocks.size(), 2u);
    EXPECT_EQ(track.blocks.front().catalogIndex, 2u);
    EXPECT_EQ(track.blocks.back().catalogIndex, 1u);
    EXPECT_EQ(countedBlocks(track), 2u);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(OpenTrack, FileNamesFromEitherSeparatorAndOfAnyLength) {
    EXPECT_EQ(convertedFileName("C:\\tracks\\a b.Gbx"), "a_b.Gbx");
    EXPECT_EQ(convertedFileName("dir\\x/y z.Gbx"), "y_z.Gbx");
    EXPECT_EQ(convertedFileName("plain.Gbx"), "plain.Gbx");

    std::string longName(120, 'L');
    longName += " end.Challenge.Gbx";
    std::filesystem::path source = elsewhere.path() / longName;
    writeFile(source, {1});
    ASSERT_TRUE(open(source.string()));
    EXPECT_EQ(converter.arguments[0].size(), longName.size());
    EXPECT_EQ(track.blocks.size(), 2u);
}

TEST_F(OpenTrack, NoBakFailsAndLeavesTheTrackAlone) {
    converter.leaveBak = false;
    std::filesystem::path source = elsewhere.path() / "t.Gbx";
    writeFile(source, {1});
    auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(open(source.string()));
    auto waited = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(waited, std::chrono::milliseconds(1000));
    EXPECT_LT(waited, std::chrono::milliseconds(3000));
    expectUntouched();
    EXPECT_EQ(filesInConverterFolder(), 0u);
    EXPECT_EQ(converter.reaped, 1);
}

TEST_F(OpenTrack, AMissingSourceFailsWithoutStartingTheConverter) {
    auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(open((elsewhere.path() / "gone.Gbx").string()));
    EXPECT_FALSE(open(""));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(500));
    EXPECT_TRUE(converter.arguments.empty());
    expectUntouched();
    EXPECT_EQ(filesInConverterFolder(), 0u);
}

TEST_F(OpenTrack, AFailedCopyRemovesNoFileOfTheUsers) {
    std::filesystem::path users = base.path() / "GS" / "gone.Gbx";
    writeFile(users, {'u'});
    EXPECT_FALSE(open((elsewhere.path() / "gone.Gbx").string()));
    EXPECT_EQ(readFile(users), std::vector<std::uint8_t>{'u'});
    EXPECT_EQ(filesInConverterFolder(), 1u);
}

TEST_F(OpenTrack, UnreadableConversionFailsAndLeavesTheTrackAlone) {
    converter.converted = {'G', 'B', 'X'};
    std::filesystem::path source = elsewhere.path() / "t.Gbx";
    writeFile(source, {1});
    EXPECT_FALSE(open(source.string()));
    expectUntouched();
    EXPECT_EQ(catalog.catalogs[6].count(), 0);
}

TEST_F(OpenTrack, AFileInTheConverterFolderIsOnlyRead) {
    std::filesystem::path source = base.path() / "GS" / "mine.Gbx";
    writeFile(source, {'m', 'i', 'n', 'e'});
    ASSERT_TRUE(open(source.string()));
    EXPECT_NE(converter.arguments[0], "mine.Gbx");
    EXPECT_EQ(readFile(source), (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_EQ(filesInConverterFolder(), 1u);
    EXPECT_EQ(track.blocks.size(), 2u);

    // Its ".bak" twin is protected the same way.
    std::filesystem::path twin = base.path() / "GS" / "mine.Gbx.bak";
    writeFile(twin, {'b'});
    ASSERT_TRUE(open((base.path() / "GS" / "mine.Gbx").string()));
    EXPECT_EQ(readFile(twin), std::vector<std::uint8_t>{'b'});
}

TEST_F(OpenTrack, MissingNamesFileIsReportedAndTheOpenSucceeds) {
    std::filesystem::remove(base.path() / "data" / "Stadium" / "blocks.dat");
    std::filesystem::path source = elsewhere.path() / "t.Gbx";
    writeFile(source, {1});
    ASSERT_TRUE(open(source.string()));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(track.blocks.front().catalogIndex, 0u);
    EXPECT_EQ(track.blocks.front().keptName, "Road");
}

// The converter site of an installed program: a fresh folder of each open under a per-user one.
class OpenTrackInUserFolder : public OpenTrack {
  protected:
    TempFolder cache;
    ConverterSite site{"Gridsmith", cache.path() / "blockyard", true};

    bool openThere(const std::string& source, Track& into) {
        return openTrack(base.path(), site, source, into, envelope, catalog, prompts, converter);
    }
};

TEST_F(OpenTrackInUserFolder, TwoOpensAtOnceWorkInFoldersOfTheirOwnAndLeaveNothing) {
    std::filesystem::path source = elsewhere.path() / "t.Gbx";
    writeFile(source, {1});
    Track second;
    bool secondOpened = false;
    // While the first copy waits in its folder, another program opens the same track.
    converter.meanwhile = [&] { secondOpened = openThere(source.string(), second); };
    ASSERT_TRUE(openThere(source.string(), track));
    EXPECT_TRUE(secondOpened);
    EXPECT_EQ(second.blocks.size(), 2u);
    EXPECT_EQ(track.blocks.size(), 2u);
    ASSERT_EQ(converter.folders.size(), 2u);
    EXPECT_NE(converter.folders[0], converter.folders[1]);
    for (const std::filesystem::path& folder : converter.folders)
        EXPECT_EQ(folder.parent_path(), site.folder);
    // Neither took the other's name for its copy.
    EXPECT_EQ(converter.arguments, (std::vector<std::string>{"t.Gbx", "t.Gbx"}));
    EXPECT_TRUE(std::filesystem::is_empty(site.folder));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(OpenTrackInUserFolder, AFolderThatCannotBeMadeIsToldAtOpen) {
    std::filesystem::path source = elsewhere.path() / "t.Gbx";
    writeFile(source, {1});
    // A file where the per-user folder should be: not even root can make a folder in it.
    writeFile(cache.path() / "file", {1});
    site.folder = cache.path() / "file" / "blockyard";
    EXPECT_FALSE(openThere(source.string(), track));
    expectUntouched();
    EXPECT_TRUE(converter.arguments.empty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Error);
    EXPECT_NE(prompts.shown[0].text.find(site.folder.string()), std::string::npos)
        << prompts.shown[0].text;

    // No per-user folder known at all.
    site.folder.clear();
    EXPECT_FALSE(openThere(source.string(), track));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_NE(prompts.shown[1].text.find("no per-user cache folder"), std::string::npos);
}

TEST(PosixConverterLauncher, MissingOrHangingConverterFailsWithinAboutASecond) {
    TempFolder base;
    std::filesystem::create_directories(base.path() / "GS");
    std::filesystem::path source = base.path() / "t.Gbx";
    writeFile(source, {1});
    CatalogState catalog;
    initEnvironmentNames(catalog.environmentNames);
    RecordingPrompts prompts;
    Track track;
    track.uid = "kept";
    TrackEnvelope envelope;
    PosixConverterLauncher launcher;

    auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(openTrack(base.path(), converterSiteIn(base.path()), source.string(), track,
                           envelope, catalog, prompts, launcher));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(2500));

    // A converter that never finishes is stopped.
    std::filesystem::path program = base.path() / "GS" / "Gridsmith";
    std::ofstream(program) << "#!/bin/sh\nexec sleep 30\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(openTrack(base.path(), converterSiteIn(base.path()), source.string(), track,
                           envelope, catalog, prompts, launcher));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(2500));
    EXPECT_EQ(track.uid, "kept");
    EXPECT_FALSE(std::filesystem::exists(base.path() / "GS" / "t.Gbx"));
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

} // namespace
