#include "store/Autostart.h"
#include "TempDir.h"
#include "store/FileStore.h"

#include <gtest/gtest.h>

using namespace kestrum;

TEST(Autostart, TheFolderHonoursXdgConfigHome) {
    EXPECT_EQ(autostart::folder("/cfg", "/home/u"), "/cfg/autostart/");
    EXPECT_EQ(autostart::folder("", "/home/u"), "/home/u/.config/autostart/");
    EXPECT_EQ(autostart::folder("relative", "/home/u"), "/home/u/.config/autostart/");
}

TEST(Autostart, TheEntryStartsTheProgramQuotedWhereItMustBe) {
    EXPECT_NE(autostart::entry("/usr/bin/kestrum").find("\nExec=/usr/bin/kestrum\n"),
              std::string::npos);
    EXPECT_NE(autostart::entry("/opt/my apps/$k").find("\nExec=\"/opt/my apps/\\$k\"\n"),
              std::string::npos);
    TempDir dir;
    std::string folder = dir.path() + "a/autostart/";
    EXPECT_FALSE(autostart::enabled(folder));
    autostart::set(folder, "/usr/bin/kestrum", true);
    EXPECT_TRUE(autostart::enabled(folder));
    autostart::set(folder, "/usr/bin/kestrum", false);
    EXPECT_FALSE(autostart::enabled(folder));
}
