#include "store/Folders.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "store/FolderListing.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrum;
namespace fs = std::filesystem;

TEST(Folders, PathsAreBuiltByConcatenation) {
    Folders f{"/p/", "/t/", "/d/"};
    EXPECT_EQ(f.working(), "/t/tuckpad/");
    EXPECT_EQ(f.settingsFile(), "/p/tuckpad.ini");
    EXPECT_EQ(f.categoryWorkingFile("notes"), "/t/notestemp.txt");
    EXPECT_EQ(withSlash("/a"), "/a/");
    EXPECT_EQ(withSlash("/a/"), "/a/");
}

TEST(Folders, AWorkingFileNameNeverLeavesTheTemporaryFolder) {
    Folders f{"/p/", "/t/", "/d/"};
    for (const char* bad : {"../x", "a/b", "..", ".", "", "a\nb"})
        EXPECT_THROW(f.categoryWorkingFile(bad), KestrumError) << bad;
}

TEST(Folders, ThePrivateTemporaryFolderIsCreatedPrivate) {
    TempDir dir;
    std::string folder = preparePrivateTemporaryFolder(dir.path(), getuid());
    EXPECT_EQ(folder, dir.path() + "kestrum-" + std::to_string(getuid()) + "/");
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    chmod(folder.c_str(), 0755);
    preparePrivateTemporaryFolder(dir.path(), getuid());
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
}

TEST(Folders, AFolderThatIsALinkOrSomeoneElsesIsRefused) {
    TempDir dir, elsewhere;
    std::string name = "kestrum-" + std::to_string(getuid());
    fs::create_directory_symlink(elsewhere.path(), dir.path() + name);
    EXPECT_THROW(preparePrivateTemporaryFolder(dir.path(), getuid()), KestrumError);

    TempDir other;
    preparePrivateTemporaryFolder(other.path(), getuid());
    EXPECT_THROW(preparePrivateTemporaryFolder(other.path(), getuid() + 1), KestrumError);
}

TEST(Folders, AProgramFolderThatCannotBeWrittenFallsBackToTheUserDataFolder) {
    TempDir dir;
    EXPECT_EQ(chooseProgramFolder(dir.path(), "/unused"), dir.path());
    std::string data = dir.path() + "data/kestrum";
    EXPECT_EQ(chooseProgramFolder("/no/such/folder", data), data + "/");
    EXPECT_TRUE(fs::is_directory(data));
}

TEST(FolderListing, ListsVisibleTextFilesSortedWithoutRegardToCase) {
    TempDir dir;
    for (const char* name : {"b.txt", "A.TXT", ".hidden.txt", "c.doc", "txt"})
        writeBytes(dir.file(name), "x");
    fs::create_directory(dir.file("folder.txt"));
    auto names = listTextFiles(dir.path());
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"A.TXT", "b.txt"}));
    EXPECT_FALSE(listTextFiles(dir.file("missing")));
}
