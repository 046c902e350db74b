#include "store/FileStore.h"
#include "TempDir.h"
#include "base/Errors.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace kestrum;

namespace {
// Makes every write past `bytes` fail in this process, as a full disk does.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

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
