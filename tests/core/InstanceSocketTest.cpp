#include "net/InstanceSocket.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

using namespace kestrum;

namespace {
bool startWaiting(int listener) {
    pollfd waiting{listener, POLLIN, 0};
    return ::poll(&waiting, 1, 1000) == 1;
}
} // namespace

TEST(InstanceSocket, ASecondStartFindsTheFirstOfTheSameFolderOnly) {
    std::string name =
        instance::socketName("/tmp/kestrum-test-" + std::to_string(getpid()), getuid());
    std::string elsewhere = instance::socketName("/run/user/x/kestrum", getuid());
    EXPECT_NE(name, elsewhere);
    EXPECT_EQ(name,
              instance::socketName("/tmp/kestrum-test-" + std::to_string(getpid()), getuid()));
    EXPECT_FALSE(instance::askRunning(name));

    int listener = instance::listen(name);
    ASSERT_GE(listener, 0);
    EXPECT_EQ(instance::listen(name), -1); // the name is taken while the first runs
    EXPECT_TRUE(instance::askRunning(name));
    ASSERT_TRUE(startWaiting(listener));
    EXPECT_TRUE(instance::acceptStart(listener));
    EXPECT_FALSE(instance::askRunning(elsewhere));

    instance::close(listener);
    EXPECT_FALSE(instance::askRunning(name)); // nothing is left behind to answer
    int again = instance::listen(name);
    EXPECT_GE(again, 0);
    instance::close(again);
}
