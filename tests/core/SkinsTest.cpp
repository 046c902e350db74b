#include "store/Skins.h"
#include "TempDir.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/IniFile.h"
#include "text/Gb18030.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace kestrum;
namespace fs = std::filesystem;

namespace {
void skinAt(const std::string& folder, const char* off = "1.bmp", bool withOn = true,
            const char* on = "2.bmp") {
    fs::create_directories(files::nativePath(folder));
    files::replace(folder + "/" + off, "BM");
    if (withOn)
        files::replace(folder + "/" + on, "BM");
}
bool has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}
} // namespace

TEST(Skins, TheSearchFindsRealFoldersAtAnyDepthAndNothingHiddenOrLinked) {
    TempDir dir;
    std::string root = dir.path() + "program";
    skinAt(root + "/a/b/c");
    skinAt(root + "/upper", "1.BMP");
    skinAt(root + "/" + gb("墨竹"));
    skinAt(root + "/.hidden/inside");
    skinAt(dir.path() + "outside");
    fs::create_directory_symlink(dir.path() + "outside", root + "/link");
    fs::create_directory_symlink(root, root + "/a/loop"); // a loop back to the top
    files::replace(root + "/1.bmp", "BM");
    auto found = findFoldersWithFile("1.bmp", root + "/");
    EXPECT_EQ(found.size(), 4u);
    for (const char* sub : {"/a/b/c/", "/upper/", "/"})
        EXPECT_TRUE(has(found, root + sub)) << sub;
    EXPECT_TRUE(has(found, root + "/" + gb("墨竹") + "/"));
    EXPECT_EQ(skinName(root + "/a/b/c/"), "c");
    EXPECT_EQ(skinName(root + "/" + gb("墨竹") + "/"), gb("墨竹"));
    EXPECT_EQ(skinName(root + "/"), "program");
}

TEST(Skins, TheSearchStopsAfterItsFolderBudget) {
    TempDir dir;
    std::string root = dir.path() + "wide";
    for (int i = 0; i < 30; ++i)
        skinAt(root + "/s" + std::to_string(i));
    EXPECT_EQ(findFoldersWithFile("1.bmp", root, 1000).size(), 30u);
    EXPECT_LT(findFoldersWithFile("1.bmp", root, 10).size(), 10u);
}

TEST(Skins, SkinsAreEnteredByNameAndTheLaterOfTwoNamesakesWins) {
    TempDir dir;
    Folders folders{dir.path() + "program/", "/t/", "/d/", dir.path() + "share/"};
    skinAt(dir.path() + "program/x/same");
    skinAt(dir.path() + "share/skins/same");
    skinAt(dir.path() + "share/skins/only-off", "1.bmp", false);
    skinAt(dir.path() + "program/bad\nname");
    skinAt(dir.path() + "share/skins/shouting", "1.BMP", true, "2.Bmp");
    IniFile skinFile(folders.skinFile());
    auto skins = searchSkins(folders, skinFile);
    ASSERT_EQ(skins.size(), 5u);
    EXPECT_EQ(skins[0].rfind(dir.path() + "program/", 0), 0u); // the program folder first
    auto later = skinFiles(skinFile, "same", "/nowhere/");
    ASSERT_TRUE(later);
    EXPECT_EQ(later->on, dir.path() + "share/skins/same/2.bmp");
    // Offered whatever the case of its names, and applied under the names it has.
    auto shouting = skinFiles(skinFile, "shouting", "/nowhere/");
    ASSERT_TRUE(shouting);
    EXPECT_EQ(shouting->off, dir.path() + "share/skins/shouting/1.BMP");
    EXPECT_EQ(shouting->on, dir.path() + "share/skins/shouting/2.Bmp");
    EXPECT_FALSE(skinFiles(skinFile, "only-off", "/nowhere/")); // no 2.bmp: nothing to apply
    EXPECT_FALSE(skinFiles(skinFile, "unknown", "/nowhere/"));
    EXPECT_EQ(skinFile.listKeys(gb("程序皮肤设置")).size(), 3u); // not the one with a line break
}
