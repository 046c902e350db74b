#include "store/CategoryTable.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "store/FileStore.h"
#include "store/IniFile.h"
#include "text/Gb18030.h"

#include <gtest/gtest.h>

using namespace kestrum;

TEST(CategoryTable, FoldersAreLookedUpWithTheReadersDefault) {
    TempDir dir;
    IniFile settings(dir.file("tuckpad.ini"));
    categories::write(settings, gb("非分类"), "/home/u/");
    EXPECT_EQ(categories::folder(settings, gb("非分类"), "/prog/"), "/home/u/");
    EXPECT_EQ(categories::folder(settings, "missing", "/prog/"), "/prog/");
    EXPECT_EQ(categories::folder(settings, "missing", "/docs/"), "/docs/");
}

TEST(CategoryTable, RewritingInANewOrderKeepsEveryFolderAndRemovesTheSnapshot) {
    TempDir dir;
    IniFile settings(dir.file("tuckpad.ini"));
    writeBytes(settings.path(),
               gb("[程序参数]\r\n窗口顶部=1\r\n[类别]\r\na=/fa\r\nb=/fb/\r\nc=/fc\r\n"));
    categories::rewriteInOrder(settings, dir.file("tuckpadtemp.ini"), {"c", "a", "b"}, "/prog/");
    EXPECT_EQ(categories::names(settings), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(readBytes(settings.path()),
              gb("[程序参数]\r\n窗口顶部=1\r\n[类别]\r\nc=/fc\r\na=/fa\r\nb=/fb/\r\n"));
    EXPECT_FALSE(files::exists(dir.file("tuckpadtemp.ini")));
}

TEST(CategoryTable, UnsafeNamesAndFoldersAreRefused) {
    TempDir dir;
    IniFile settings(dir.file("tuckpad.ini"));
    for (std::string bad : std::vector<std::string>{
             "a/b", "..", ".", "a=b", "a\nb", std::string("a\0b", 3), " lead", "trail ", "\ttab"})
        EXPECT_THROW(categories::write(settings, bad, "/f"), KestrumError);
    EXPECT_THROW(categories::write(settings, "ok", "/f\r\n[x]"), KestrumError);
    EXPECT_FALSE(files::exists(settings.path()));
}

// 丄 is 81 41 and 乤 is 81 61: their second bytes differ only as "A" and "a".
TEST(CategoryTable, CharactersWhoseSecondBytesLookLikeLettersAreDistinctKeys) {
    TempDir dir;
    IniFile settings(dir.file("tuckpad.ini"));
    const std::string upper = "\x81\x41", lower = "\x81\x61";
    categories::write(settings, upper, "/one");
    categories::write(settings, lower, "/two");
    categories::write(settings, "Latin", "/three");
    categories::write(settings, "LATIN", "/four"); // ASCII letters still fold
    EXPECT_EQ(categories::names(settings), (std::vector<std::string>{upper, lower, "LATIN"}));
    EXPECT_EQ(categories::folder(settings, upper, "-"), "/one");
    EXPECT_EQ(categories::folder(settings, lower, "-"), "/two");
    categories::rewriteInOrder(settings, dir.file("snap.ini"), {lower, "latin", upper}, "-");
    EXPECT_EQ(categories::folder(settings, upper, "-"), "/one");
    EXPECT_EQ(categories::folder(settings, lower, "-"), "/two");
    EXPECT_EQ(categories::folder(settings, "Latin", "-"), "/four");
}
