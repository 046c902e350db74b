#include "text/CaptureNames.h"
#include "text/Gb18030.h"

#include <gtest/gtest.h>
#include <random>

using namespace kestrum;

namespace {
std::string repeat(const std::string& unit, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += unit;
    return s;
}
const std::string kFallback = gb("OrrinKestrum保存文件");
} // namespace

TEST(CaptureNames, ADropTakesTheFirstNonBlankLineAndDropsTheFilteredCharacters) {
    EXPECT_EQ(names::dropCaptureName("   \t\r\nHello, world: 2.0\r\nrest"), "Helloworld20");
    EXPECT_EQ(names::dropCaptureName("https://example.org/a?b=c|d"), "httpsexampleorgab=cd");
    EXPECT_EQ(names::dropCaptureName("----\r\nsecond"), kFallback);
    EXPECT_EQ(names::dropCaptureName(gb("你好，世界。;=[]_{}~")), gb("你好，世界。;=[]_{}~"));
    EXPECT_EQ(names::dropCaptureName(""), kFallback);
}

TEST(CaptureNames, LongLinesAreCutDifferentlyByDropAndPaste) {
    std::string han45 = repeat(gb("汉"), 45);
    EXPECT_EQ(names::dropCaptureName(han45), repeat(gb("汉"), 40) + "~1");
    EXPECT_EQ(names::pasteCaptureName(han45), repeat(gb("汉"), 20) + "~1");
    EXPECT_EQ(names::firstLineName(repeat(gb("汉"), 41)), repeat(gb("汉"), 20) + "~1");
    std::string han40 = repeat(gb("汉"), 40);
    EXPECT_EQ(names::dropCaptureName(han40), han40);
    EXPECT_EQ(names::pasteCaptureName(han40), han40);
}

TEST(CaptureNames, APasteSkipsLinesOfTwoBytesOrFewer) {
    EXPECT_EQ(names::pasteCaptureName("ab\r\n x \r\nabc def"), "abcdef");
    EXPECT_EQ(names::pasteCaptureName(repeat("ab\r\n", 60)), kFallback);
    EXPECT_EQ(names::pasteCaptureName("http://a.b/c"), "httpabc");
}

TEST(CaptureNames, TheFirstLineNameTrimsAndFiltersBytes) {
    EXPECT_EQ(names::firstLineName(gb("\r\n  第一章:开始  \r\n")), gb("第一章开始"));
    EXPECT_EQ(names::firstLineName(gb("第一章：开始")), gb("第一章：开始"));
    EXPECT_EQ(names::firstLineName("..."), kFallback);
    EXPECT_EQ(names::firstLineName(repeat("\r\n", 101) + "late"), kFallback);
    EXPECT_EQ(names::firstLineName(repeat("\r\n", 100) + "line100"), "line100");
}

TEST(CaptureNames, ANameIsNeverAPathOrADotName) {
    for (const char* text : {"../../etc/passwd", "..", "/", "a\\b", "\x80\x2F"}) {
        std::string name = names::dropCaptureName(text);
        EXPECT_EQ(name.find('/'), std::string::npos) << text;
        EXPECT_NE(name, "..");
        EXPECT_EQ(names::pasteCaptureName(text).find('/'), std::string::npos) << text;
    }
}

bool wellFormed(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); i += gb18030::characterLength(text, i))
        if (!gb18030::isCharacterAt(text, i))
            return false;
    return true;
}

TEST(CaptureNames, NamesHoldOnlyWholeCharacters) {
    EXPECT_EQ(names::dropCaptureName("\xFF"), kFallback);
    // Dropping the bytes between must not assemble a new four-byte shape.
    EXPECT_EQ(names::dropCaptureName(std::string("\xF2\x31\xF2\x00\x2D\x00\x30", 7)), "10");
    EXPECT_EQ(names::pasteCaptureName("abc\xFF\xB0"), "abc");
    EXPECT_EQ(names::firstLineName("\x81\x5C"
                                   "ab"),
              "ab"); // the filter takes the "\\" half
    std::mt19937 random(7);
    for (int run = 0; run < 3000; ++run) {
        std::string bytes(random() % 24, '\0');
        for (auto& b : bytes)
            b = static_cast<char>(random() % 4 ? 0x80 + random() % 128 : random() % 128);
        for (const auto& name : {names::dropCaptureName(bytes), names::pasteCaptureName(bytes),
                                 names::firstLineName(bytes)})
            ASSERT_TRUE(wellFormed(name)) << testing::PrintToString(bytes);
    }
}

TEST(CaptureNames, NumberedFilesCountFromOneWithoutLeadingZeros) {
    EXPECT_EQ(names::numberedFile("/f/", "n", 0), "/f/n.txt");
    EXPECT_EQ(names::numberedFile("/f/", "n", 7), "/f/n(7).txt");
    EXPECT_EQ(names::numberedFile("/f/", "n", 1000), "/f/n(1000).txt");
}
