#include "window/PlatformChoice.h"

#include <gtest/gtest.h>

using kestrum::platform::preferred;

// Whatever the user named stands; otherwise only the platforms whose
// display is there, X11 first.
TEST(PlatformChoice, OnlyAPlatformWhoseDisplayIsThereAndXFirst) {
    EXPECT_EQ(preferred("offscreen", ":1", "wayland-0"), "");
    EXPECT_EQ(preferred("wayland", ":1", nullptr), "");
    EXPECT_EQ(preferred(nullptr, ":1", nullptr), "xcb");
    EXPECT_EQ(preferred("", ":1", "wayland-0"), "xcb;wayland");
    EXPECT_EQ(preferred(nullptr, "", "wayland-0"), "wayland");
    EXPECT_EQ(preferred(nullptr, nullptr, ""), "");
}
