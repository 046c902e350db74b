#include "store/Folders.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "store/FileStore.h"
#include "text/FolderListing.h"

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

TEST(Folders, ShippedDataLiesBesideTheBinFolder) {
    EXPECT_EQ(shippedDataFolder("/usr/bin"), "/usr/share/kestrum/");
    EXPECT_EQ(shippedDataFolder("/usr/bin/"), "/usr/share/kestrum/");
    EXPECT_EQ(shippedDataFolder("/opt/k/bin"), "/opt/k/share/kestrum/");
}

// A help file the user put in the program folder comes first, then the
// manual that ships in the interface's language (English or Chinese);
// neither gives nothing, so the caller can say so.
TEST(Folders, HelpOpensTheUsersHelpFileElseTheShippedManual) {
    TempDir dir;
    Folders f{dir.path() + "p/", "/t/", "/d/", dir.path() + "share/"};
    fs::create_directories(f.program);
    EXPECT_EQ(helpDocument(f, InterfaceLanguage::Source), "");
    fs::create_directories(f.data + "manual");
    std::string manual = f.data + "manual/tuckpad.html";
    files::replace(manual, "<html></html>");
    EXPECT_EQ(helpDocument(f, InterfaceLanguage::Source), manual);
    EXPECT_EQ(helpDocument(f, InterfaceLanguage::TaiwanTraditional), manual);
    EXPECT_EQ(helpDocument(f, InterfaceLanguage::English), "");
    files::replace(f.data + "manual/tuckpad_en.html", "<html></html>");
    EXPECT_EQ(helpDocument(f, InterfaceLanguage::English), f.data + "manual/tuckpad_en.html");
    files::replace(f.program + "tuckpad.chm", "chm");
    EXPECT_EQ(helpDocument(f, InterfaceLanguage::Source), f.program + "tuckpad.chm");
}

TEST(Folders, AWorkingFileNameNeverLeavesTheTemporaryFolder) {
    Folders f{"/p/", "/t/", "/d/"};
    for (const char* bad : {"../x", "a/b", "..", ".", "", "a\nb"})
        EXPECT_THROW(f.categoryWorkingFile(bad), KestrumError) << bad;
}

TEST(Folders, ThePrivateTemporaryFolderIsCreatedPrivate) {
    TempDir dir;
    auto chosen = choosePrivateTemporaryFolder("", dir.path(), getuid());
    std::string folder = dir.path() + "kestrum-" + std::to_string(getuid()) + "/";
    EXPECT_EQ(chosen.path, folder);
    EXPECT_TRUE(chosen.notice.empty());
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    chmod(folder.c_str(), 0755);
    choosePrivateTemporaryFolder("", dir.path(), getuid());
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
}

TEST(Folders, TheDesktopsRuntimeFolderComesFirst) {
    TempDir runtime, system;
    auto chosen = choosePrivateTemporaryFolder(runtime.path(), system.path(), getuid());
    EXPECT_EQ(chosen.path, runtime.path() + "kestrum/");
    EXPECT_EQ(fs::status(chosen.path).permissions(), fs::perms::owner_all);
}

TEST(Folders, AFolderThatIsALinkOrSomeoneElsesIsRefused) {
    TempDir dir, elsewhere;
    std::string name = "kestrum-" + std::to_string(getuid());
    fs::create_directory_symlink(elsewhere.path(), dir.path() + name);
    EXPECT_THROW(preparePrivateFolder(dir.path() + name, getuid()), KestrumError);

    TempDir other;
    preparePrivateFolder(other.path() + "k", getuid());
    EXPECT_THROW(preparePrivateFolder(other.path() + "k", getuid() + 1), KestrumError);
}

// Another user who plants the predictable name cannot stop the program: a
// fresh private folder is taken and the user is told why.
TEST(Folders, APlantedFolderGivesWayToAFreshPrivateOne) {
    TempDir dir, elsewhere;
    std::string usual = dir.path() + "kestrum-" + std::to_string(getuid());
    fs::create_directory_symlink(elsewhere.path(), usual);
    auto chosen = choosePrivateTemporaryFolder("", dir.path(), getuid());
    EXPECT_NE(chosen.notice.find(usual), std::string::npos) << chosen.notice;
    EXPECT_EQ(chosen.path.rfind(usual + "-", 0), 0u) << chosen.path;
    EXPECT_TRUE(fs::is_directory(chosen.path) &&
                !fs::is_symlink(chosen.path.substr(0, chosen.path.size() - 1)));
    EXPECT_EQ(fs::status(chosen.path).permissions(), fs::perms::owner_all);
    EXPECT_NE(chosen.notice.find(chosen.path), std::string::npos);
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

// A writable build tree keeps everything beside the program; an installed
// copy, writable or not (root can write /usr/bin), and a copy that cannot be
// written keep settings in the config folder, where old settings move once,
// and the pseudo-category's captures in the documents folder.
TEST(Folders, AnInstalledCopyNeverWritesBesideItself) {
    TempDir dir;
    std::string bin = dir.path() + "usr/bin", config = dir.path() + "config/kestrum",
                old = dir.path() + "data/Kestrum", docs = dir.path() + "Documents";
    fs::create_directories(bin);
    fs::create_directories(old);
    writeBytes(old + "/tuckpad.ini", "old settings");
    SettingsFolders tree = chooseSettingsFolders({dir.path(), bin, config, old, docs});
    EXPECT_EQ(tree.program, dir.path());
    EXPECT_EQ(tree.unsorted, dir.path());
    EXPECT_FALSE(fs::exists(config));

    for (std::string executable : {bin, std::string("/no/such/folder")}) {
        SettingsFolders installed = chooseSettingsFolders({executable, bin, config, old, docs});
        EXPECT_EQ(installed.program, config + "/");
        EXPECT_EQ(installed.unsorted, docs + "/Kestrum/");
        EXPECT_TRUE(fs::is_directory(docs + "/Kestrum"));
        EXPECT_EQ(readBytes(config + "/tuckpad.ini"), "old settings");
        writeBytes(old + "/tuckpad.ini", "older still"); // never moved over the new
    }
    EXPECT_EQ(readBytes(old + "/tuckpad.ini"), "older still");
    EXPECT_TRUE(fs::is_empty(bin));
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
