#include "net/InstanceSocket.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrum;
using namespace std::chrono_literals;

namespace {
bool startWaiting(int listener) {
    pollfd waiting{listener, POLLIN, 0};
    return ::poll(&waiting, 1, 1000) == 1;
}

// A socket file as a killed run leaves it: bound, then nobody listening.
void leaveStaleSocket(const std::string& path) {
    int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(socket);
}

// A start that connects and says nothing; its socket stays open.
int connectSilently(const std::string& path) {
    int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? socket
                                                                                         : -1;
}
} // namespace

// The socket is a file in the run's private folder, where no one else can
// make one first; a later start of the same folder finds the first.
TEST(InstanceSocket, ASecondStartFindsTheFirstOfTheSameFolderOnly) {
    TempDir folder, elsewhere;
    std::string socket = instance::socketPath(folder.path());
    EXPECT_EQ(std::filesystem::path(socket).parent_path(),
              std::filesystem::path(folder.path()).parent_path());

    auto first = instance::start(folder.path(), 0ms);
    ASSERT_TRUE(first.lock.valid());
    ASSERT_TRUE(first.listener.valid());
    EXPECT_TRUE(std::filesystem::is_socket(socket));
    auto second = instance::start(folder.path(), 0ms);
    EXPECT_TRUE(second.askedRunning);
    EXPECT_FALSE(second.lock.valid());
    ASSERT_TRUE(startWaiting(first.listener.get()));
    EXPECT_TRUE(instance::acceptStart(first.listener.get()));
    auto other = instance::start(elsewhere.path(), 0ms);
    EXPECT_TRUE(other.listener.valid());
    EXPECT_FALSE(other.askedRunning);
}

// A run that was killed leaves its socket file but no lock: the next start
// is the first again.
TEST(InstanceSocket, AStartAfterAKilledRunTakesOver) {
    TempDir folder;
    leaveStaleSocket(instance::socketPath(folder.path()));
    auto start = instance::start(folder.path(), 0ms);
    EXPECT_TRUE(start.lock.valid());
    EXPECT_TRUE(start.listener.valid());
    EXPECT_FALSE(start.askedRunning);
    EXPECT_TRUE(instance::askRunning(instance::socketPath(folder.path())));
}

// Starts at the same moment: exactly one runs, every other one asks it.
TEST(InstanceSocket, OfStartsThatRaceExactlyOneRunsAndTheOthersAskIt) {
    TempDir folder;
    constexpr int kStarts = 4;
    int go[2], told[2];
    ASSERT_EQ(::pipe(go), 0);
    ASSERT_EQ(::pipe(told), 0);
    for (int i = 0; i < kStarts; ++i) {
        if (::fork() != 0)
            continue;
        char byte;
        ::read(go[0], &byte, 1);
        auto start = instance::start(folder.path(), 3000ms);
        int asked = 0;
        for (; start.listener.valid() && asked < kStarts - 1 && startWaiting(start.listener.get());)
            asked += instance::acceptStart(start.listener.get()).has_value();
        char report = start.listener.valid() ? static_cast<char>('0' + asked)
                      : start.askedRunning   ? 'a'
                                             : '?';
        ::write(told[1], &report, 1);
        ::_exit(0);
    }
    ::close(told[1]);
    ASSERT_EQ(::write(go[1], std::string(kStarts, 'g').data(), kStarts), kStarts);
    std::string reports;
    char report;
    while (::read(told[0], &report, 1) == 1)
        reports += report;
    while (::wait(nullptr) > 0) {
    }
    std::sort(reports.begin(), reports.end());
    EXPECT_EQ(reports, std::to_string(kStarts - 1) + std::string(kStarts - 1, 'a'));
}

// The activation token a later start was given reaches the first. Words
// that are no token give none, and a start that says nothing still asks,
// without holding the first longer than it allows.
TEST(InstanceSocket, TheLaterStartsActivationTokenReachesTheFirst) {
    TempDir folder;
    auto first = instance::start(folder.path(), 0ms);
    ASSERT_TRUE(first.listener.valid());
    std::string socket = instance::socketPath(folder.path());
    auto tokenOfNextStart = [&] {
        EXPECT_TRUE(startWaiting(first.listener.get()));
        auto asked = instance::acceptStart(first.listener.get(), 100ms);
        return asked ? asked->activationToken : std::string("(not asked)");
    };
    ASSERT_TRUE(instance::askRunning(socket, "sway/0123abcd_Z-1"));
    EXPECT_EQ(tokenOfNextStart(), "sway/0123abcd_Z-1");
    ASSERT_TRUE(instance::askRunning(socket, "two words"));
    EXPECT_EQ(tokenOfNextStart(), "");
    ASSERT_TRUE(instance::askRunning(socket, std::string(300, 'x')));
    EXPECT_EQ(tokenOfNextStart(), "");
    int silent = connectSilently(socket);
    ASSERT_GE(silent, 0);
    auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(tokenOfNextStart(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    ::close(silent);
}
