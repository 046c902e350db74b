// Captures killed at random moments: afterwards every file under a real
// name is whole, every capture reported done is there, and the next start
// leaves no temporary sibling behind.
#include "CrashTexts.h"
#include "store/DraftFile.h"
#include "store/FileStore.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Starts the helper with its output on a pipe, lets it run for `ms`, kills
// it with SIGKILL and returns what it reported. With `ms` 0 the helper only
// starts up (sweeping) and ends by itself.
std::string runAndKill(const std::string& root, int run, int ms, const char* mode = nullptr) {
    int out[2];
    if (pipe(out) != 0)
        return {};
    pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        std::string runText = std::to_string(run);
        if (ms == 0)
            mode = "start-only";
        execl(CAPTURE_LOOP, CAPTURE_LOOP, root.c_str(), runText.c_str(), mode, nullptr);
        _exit(127);
    }
    close(out[1]);
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::string reported;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        reported.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    return reported;
}

std::string slurp(const fs::path& path) {
    return kestrum::files::load(path.native());
}

// The working file holds whole captures, newest first, joined by CR LF.
std::set<std::pair<int, int>> capturesInWorkingFile(const std::string& bytes) {
    std::set<std::pair<int, int>> found;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        auto whole = crash::wholeCaptureAt(rest);
        if (!whole)
            ADD_FAILURE() << "the working file holds a broken capture at byte "
                          << bytes.size() - rest.size();
        if (!whole)
            break;
        found.insert(*whole);
        rest.remove_prefix(crash::captureText(whole->first, whole->second).size());
        if (!rest.empty())
            rest.remove_prefix(2); // the CR LF between two captures
    }
    return found;
}

} // namespace

TEST(CaptureCrash, KilledCapturesLeaveOnlyWholeFilesAndLoseNothingReportedDone) {
    char pattern[] = "/tmp/kestrum-crash-XXXXXX";
    std::string root = mkdtemp(pattern);
    for (const char* sub : {"program", "tmp", "docs", "notes"})
        fs::create_directories(root + "/" + sub);
    kestrum::files::replace(root + "/program/tuckpad.ini",
                            "[\xB3\xCC\xD0\xF2\xB2\xCE\xCA\xFD]\r\n"
                            "\xCA\xC7\xB7\xF1\xD3\xD0\xC9\xF9=0\r\n[\xC0\xE0\xB1\xF0]\r\nnotes=" +
                                root + "/notes\r\n");
    std::mt19937 random(20261208);
    std::set<std::pair<int, int>> reported;
    const int kills = 60;
    for (int run = 0; run < kills; ++run) {
        std::istringstream lines(runAndKill(root, run, 5 + static_cast<int>(random() % 90)));
        std::string word;
        int r, c;
        while (lines >> word >> r >> c)
            reported.insert({r, c});
    }
    // The next start sweeps what the killed runs left half-written.
    runAndKill(root, kills, 0);

    std::set<std::pair<int, int>> inFolder, inWorkingFolder;
    int siblings = 0;
    for (auto [folder, found] : {std::pair{root + "/notes", &inFolder},
                                 std::pair{root + "/tmp/tuckpad", &inWorkingFolder}}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::string name = entry.path().filename();
            if (kestrum::files::isTemporarySiblingName(name)) {
                ++siblings;
                continue;
            }
            auto whole = crash::wholeCaptureAt(slurp(entry.path()));
            ASSERT_TRUE(whole) << entry.path() << " is not a whole capture";
            EXPECT_EQ(name, crash::captureName(whole->first, whole->second) + ".txt");
            found->insert(*whole);
        }
    }
    auto inWorkingFile = capturesInWorkingFile(slurp(root + "/tmp/notestemp.txt"));
    for (const auto& done : reported) {
        EXPECT_TRUE(inFolder.count(done)) << crash::captureName(done.first, done.second);
        EXPECT_TRUE(inWorkingFolder.count(done)) << crash::captureName(done.first, done.second);
        EXPECT_TRUE(inWorkingFile.count(done)) << crash::captureName(done.first, done.second);
    }
    for (const auto& entry : fs::directory_iterator(root + "/program"))
        EXPECT_FALSE(kestrum::files::isTemporarySiblingName(entry.path().filename().native()));
    for (const auto& entry : fs::directory_iterator(root + "/tmp"))
        EXPECT_FALSE(kestrum::files::isTemporarySiblingName(entry.path().filename().native()));
    EXPECT_EQ(siblings, 0);
    EXPECT_GE(reported.size(), 10u) << "too few captures finished to mean anything";
    std::printf("%d kills, %zu captures reported done, %zu whole files in the folder\n", kills,
                reported.size(), inFolder.size());
    fs::remove_all(root);
}

// Bursts of keys killed at random moments: the working file is always one
// whole text, never older than the last burst reported on disk.
TEST(CaptureCrash, KilledTypingBurstsLeaveAWholeWorkingFile) {
    char pattern[] = "/tmp/kestrum-crash-XXXXXX";
    std::string root = mkdtemp(pattern);
    for (const char* sub : {"program", "tmp", "docs", "notes"})
        fs::create_directories(root + "/" + sub);
    std::mt19937 random(20261209);
    std::pair<int, int> newest{-1, -1};
    const int kills = 40;
    for (int run = 0; run < kills; ++run) {
        std::istringstream lines(
            runAndKill(root, run, 5 + static_cast<int>(random() % 60), "typing"));
        std::string word;
        int r, c;
        while (lines >> word >> r >> c)
            newest = std::max(newest, {r, c});
        std::string file = root + "/tmp/notestemp.txt";
        if (!fs::exists(file))
            continue;
        std::string bytes = slurp(file);
        auto whole = crash::wholeCaptureAt(bytes);
        ASSERT_TRUE(whole && crash::captureText(whole->first, whole->second) == bytes)
            << "run " << run << ": the working file is not one whole text";
        EXPECT_GE(*whole, newest) << "run " << run << ": older than what was reported on disk";
    }
    EXPECT_GE(newest.first, kills / 2) << "too few bursts finished to mean anything";
    fs::remove_all(root);
}
