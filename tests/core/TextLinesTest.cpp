#include "text/TextLines.h"

#include <gtest/gtest.h>

using namespace kestrum;
using Lines = std::vector<std::string_view>;

TEST(TextLines, SplitsAtEveryKindOfBreakWithoutATrailingEmptyLine) {
    EXPECT_EQ(lines::split(""), Lines{});
    EXPECT_EQ(lines::split("abc\r\n"), Lines{"abc"});
    EXPECT_EQ(lines::split("\r\n"), Lines{""});
    EXPECT_EQ(lines::split("a\rb\nc\r\n\r\nd"), (Lines{"a", "b", "c", "", "d"}));
    EXPECT_EQ(lines::split("a\n\rb"), (Lines{"a", "", "b"})); // LF CR is two breaks
}

TEST(TextLines, WritesEveryBreakAsCrLf) {
    EXPECT_EQ(lines::withCrLf("a\rb\nc\r\nd\n"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(lines::lineAt(lines::split("x"), 5), "");
}

TEST(TextLines, TrimsControlBytesOnly) {
    EXPECT_EQ(lines::trimControls(" \t\x01 a b\x1F "), "a b");
    EXPECT_EQ(lines::trimControls("\xA1\xA1x"), "\xA1\xA1x"); // a full-width space is no blank
}
