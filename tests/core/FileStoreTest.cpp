#include "store/FileStore.h"
#include "FileSizeLimit.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "store/DraftFile.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace kestrum;

namespace {
// Runs `body` in a child process that the kernel kills (SIGXFSZ) as soon as
// it writes past `bytes`: a crash in the middle of a write, every time.
void crashWritingPast(rlim_t bytes, const std::function<void()>& body) {
    pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{bytes, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
}

std::size_t entriesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}
} // namespace

TEST(FileStore, AFailedReplaceKeepsTheOldContentAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.file("tuckpad.ini");
    files::replace(path, "old content\r\n");
    {
        FileSizeLimit limit(4096);
        EXPECT_THROW(files::replace(path, std::string(10000, 'x'), "Unable to write to %s"),
                     KestrumError);
    }
    EXPECT_EQ(readBytes(path), "old content\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileStore, ReplaceKeepsTheFileModeAndWritesThroughALink) {
    TempDir dir;
    std::string real = dir.file("real.ini");
    files::replace(real, "a");
    std::filesystem::permissions(real, std::filesystem::perms(0640));
    std::filesystem::create_symlink(real, dir.file("link.ini"));
    files::replace(dir.file("link.ini"), "b");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readBytes(real), "b");
    EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
}

TEST(FileStore, CreateNewNeverReplacesAndReportsFailuresWithThePath) {
    TempDir dir;
    EXPECT_TRUE(files::createNew(dir.file("a.txt"), "first"));
    EXPECT_FALSE(files::createNew(dir.file("a.txt"), "second"));
    EXPECT_EQ(readBytes(dir.file("a.txt")), "first");
    try {
        files::createNew(dir.file("missing/a.txt"), "x");
        FAIL();
    } catch (const KestrumError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir.file("missing/a.txt"));
    }
    EXPECT_THROW(files::load(dir.file("none.txt")), KestrumError);
}

TEST(FileStore, ProgramTextPathsAreUtf8OnDisk) {
    TempDir dir;
    files::replace(dir.file("\xD6\xD0.txt"), "x"); // 中 in program text
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "中.txt"));
}

TEST(FileStore, ACrashWhileCreatingNeverLeavesAPartFileUnderTheRealName) {
    TempDir dir;
    crashWritingPast(4096,
                     [&] { files::createNew(dir.file("capture.txt"), std::string(100000, 'x')); });
    EXPECT_FALSE(files::exists(dir.file("capture.txt")));
    EXPECT_EQ(entriesIn(dir.path()), 0u); // the draft had no name: nothing is left to sweep
}

TEST(FileStore, ACrashWhileReplacingKeepsTheOldContentAndLeavesNothingBeside) {
    TempDir dir;
    files::replace(dir.file("tuckpad.ini"), "old");
    crashWritingPast(4096,
                     [&] { files::replace(dir.file("tuckpad.ini"), std::string(100000, 'y')); });
    EXPECT_EQ(readBytes(dir.file("tuckpad.ini")), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

// The sweep goes by the mark a temporary of ours carries, never by the name
// alone: a user's files shaped like our temporaries, old or new, stay.
TEST(FileStore, TheSweepRemovesOnlyMarkedTemporariesOfOurOwn) {
    TempDir dir;
    std::vector<std::string> kept = {".notes.kestrum-backup", ".my diary.txt.kestrum-2024v1",
                                     ".notes.txt.kestrum-tmp-a1b2c3d4e5f6",
                                     "notes.txt.kestrum-tmp-a1b2c3d4e5f6"};
    for (const auto& name : kept)
        writeBytes(dir.file(name), "user's");
    auto leftover = [&](const std::string& name) {
        writeBytes(dir.file(name), "ours");
        return setxattr(dir.file(name).c_str(), files::kTemporaryMark, "1", 1, 0) == 0;
    };
    if (!leftover(".capture.txt.kestrum-tmp-Ab3xY9Zq01Kp"))
        GTEST_SKIP() << "no extended attributes here";
    ASSERT_TRUE(leftover("notes.txt.kestrum-tmp-Ab3xY9Zq01Kq")); // marked, but not our name
    kept.push_back("notes.txt.kestrum-tmp-Ab3xY9Zq01Kq");
    std::filesystem::create_directory(dir.file(".d.kestrum-tmp-abcdefabcdef"));
    EXPECT_EQ(files::removeStaleSiblings(dir.path()), 1);
    EXPECT_FALSE(files::exists(dir.file(".capture.txt.kestrum-tmp-Ab3xY9Zq01Kp")));
    for (const auto& name : kept)
        EXPECT_TRUE(files::exists(dir.file(name))) << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file(".d.kestrum-tmp-abcdefabcdef")));
    EXPECT_EQ(files::removeStaleSiblings(dir.file("missing")), 0);
}

// Writing leaves the user's file unmarked and nothing else in the folder.
TEST(FileStore, AWrittenFileCarriesNoMarkAndHasNoSibling) {
    TempDir dir;
    files::replace(dir.file("a.txt"), "one");
    files::replace(dir.file("a.txt"), "two");
    ASSERT_TRUE(files::createNew(dir.file("b.txt"), "new"));
    EXPECT_FALSE(files::createNew(dir.file("b.txt"), "again"));
    EXPECT_EQ(readBytes(dir.file("b.txt")), "new");
    EXPECT_EQ(entriesIn(dir.path()), 2u);
    for (const char* name : {"a.txt", "b.txt"})
        EXPECT_LT(getxattr(dir.file(name).c_str(), files::kTemporaryMark, nullptr, 0), 0) << name;
}

// The merge's scratch file lives in the temporary folder, often on another
// file system than the user's destination; either way the move replaces
// what is there and the source goes only once the copy is whole.
TEST(FileStore, MoveReplacingWorksWithinAndAcrossFileSystems) {
    TempDir dir;
    writeBytes(dir.file("from"), "new");
    writeBytes(dir.file("to"), "old");
    files::moveReplacing(dir.file("from"), dir.file("to"));
    EXPECT_EQ(readBytes(dir.file("to")), "new");
    EXPECT_FALSE(files::exists(dir.file("from")));

    char pattern[] = "/dev/shm/kestrum-move-XXXXXX";
    if (!mkdtemp(pattern))
        GTEST_SKIP() << "no /dev/shm here";
    std::string other = std::string(pattern) + "/scratch";
    writeBytes(other, "across");
    files::moveReplacing(other, dir.file("to"));
    EXPECT_EQ(readBytes(dir.file("to")), "across");
    EXPECT_FALSE(files::exists(other));

    writeBytes(other, "kept");
    EXPECT_THROW(files::moveReplacing(other, dir.file("missing-folder/to")), KestrumError);
    EXPECT_EQ(readBytes(other), "kept");
    std::filesystem::remove_all(pattern);
}
