#include <gtest/gtest.h>

#include "temp_folder.h"
#include "track/program_folders.h"

namespace {

namespace fs = std::filesystem;

// A current folder, a runtime folder beside the executable and an installed prefix, each with or
// without its data.
class ProgramFoldersTest : public ::testing::Test {
  protected:
    TempFolder root;
    fs::path current = root.path() / "work";
    fs::path runtime = root.path() / "runtime";
    fs::path prefix = root.path() / "usr";
    fs::path cache = root.path() / "cache";

    void SetUp() override {
        for (const fs::path& folder : {current, runtime, prefix / "bin"})
            fs::create_directories(folder);
    }
    static void giveData(const fs::path& folder) { fs::create_directories(folder / "data"); }
};

TEST_F(ProgramFoldersTest, TheCurrentFolderWithDataComesFirst) {
    giveData(current);
    giveData(runtime);
    const FoundFolders found = findProgramFolders(current, runtime, cache);
    ASSERT_TRUE(found.folders);
    EXPECT_EQ(found.folders->base, current);
    EXPECT_EQ(found.folders->converter.program, current / "GS" / "Gridsmith");
    EXPECT_EQ(found.folders->converter.folder, current / "GS");
    EXPECT_FALSE(found.folders->converter.folderPerOpen);
}

TEST_F(ProgramFoldersTest, ARuntimeFolderStartedFromElsewhereUsesItsOwn) {
    giveData(runtime);
    const FoundFolders found = findProgramFolders(current, runtime, cache);
    ASSERT_TRUE(found.folders);
    EXPECT_EQ(found.folders->base, runtime);
    EXPECT_EQ(found.folders->converter.folder, runtime / "GS");
    EXPECT_FALSE(found.folders->converter.folderPerOpen);
}

TEST_F(ProgramFoldersTest, AnInstalledProgramConvertsInTheUsersCacheFolder) {
    giveData(prefix / "share" / "blockyard");
    const FoundFolders found = findProgramFolders(current, prefix / "bin", cache);
    ASSERT_TRUE(found.folders);
    EXPECT_EQ(found.folders->base, prefix / "share" / "blockyard");
    EXPECT_EQ(found.folders->converter.program, prefix / "lib" / "blockyard" / "Gridsmith");
    EXPECT_EQ(found.folders->converter.folder, cache / "blockyard");
    EXPECT_TRUE(found.folders->converter.folderPerOpen);

    // Without a cache folder the data is still found; opening says what is missing.
    const FoundFolders uncached = findProgramFolders(current, prefix / "bin", std::nullopt);
    ASSERT_TRUE(uncached.folders);
    EXPECT_TRUE(uncached.folders->converter.folder.empty());
    EXPECT_TRUE(uncached.folders->converter.folderPerOpen);
}

TEST_F(ProgramFoldersTest, NoDataAnywhereNamesEveryPlaceLookedAt) {
    const FoundFolders found = findProgramFolders(current, prefix / "bin", cache);
    EXPECT_FALSE(found.folders);
    for (const fs::path& data :
         {current / "data", prefix / "bin" / "data", prefix / "share" / "blockyard" / "data"})
        EXPECT_NE(found.problem.find(data.string() + "\n"), std::string::npos) << found.problem;

    // With no executable known, only the current folder is looked at.
    const FoundFolders alone = findProgramFolders(current, std::nullopt, cache);
    EXPECT_FALSE(alone.folders);
    EXPECT_NE(alone.problem.find((current / "data").string()), std::string::npos);
}

} // namespace
