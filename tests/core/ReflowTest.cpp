#include "text/Reflow.h"
#include "base/Errors.h"
#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <gtest/gtest.h>
#include <random>

using namespace kestrum;

namespace {
// The examples write a line break as "|"; the program writes CR LF.
std::string text(const std::string& withBars) {
    std::string out;
    for (char c : gb(withBars))
        out += c == '|' ? std::string("\r\n") : std::string(1, c);
    return out;
}
std::string reflowed(const std::string& withBars, int width = 10) {
    return reflow::run(text(withBars), width);
}
} // namespace

TEST(Reflow, TheWidthFollowsTheSpinBoxText) {
    EXPECT_EQ(reflow::widthFor("5"), 10);
    EXPECT_EQ(reflow::widthFor("32"), 64);
    for (const char* sixtyFive : {"", "0", "00", "abc", "x5"})
        EXPECT_EQ(reflow::widthFor(sixtyFive), 65) << sixtyFive;
    for (const char* invalid : {"1.5", "+", "12345678901", "5 "})
        EXPECT_THROW(reflow::widthFor(invalid), KestrumError) << invalid;
    try {
        reflow::widthFor("1.5");
    } catch (const KestrumError& e) {
        EXPECT_STREQ(e.what(), "'1.5' is not a valid integer value");
    }
    EXPECT_THROW(reflow::widthFor("-3"), KestrumError);
}

TEST(Reflow, ShortAndExactLinesStayAsTheyAre) {
    EXPECT_EQ(reflowed(""), "");
    EXPECT_EQ(reflowed("一二三四五"), text("一二三四五"));
    EXPECT_EQ(reflowed("abcdefghij"), "abcdefghij");
    EXPECT_EQ(reflowed("一二|三四五||六"), text("一二|三四五||六"));
}

TEST(Reflow, ALongLastLineIsCutAndTheTextThenEndsWithABreak) {
    EXPECT_EQ(reflowed("一二三四五六七"), text("一二三四五|六七|"));
    EXPECT_EQ(reflowed("abcdefghijk"), text("abcdefghij|k|"));
    EXPECT_EQ(reflowed("一二三四五六七八九十一二三四五六七八九十一二"),
              text("一二三四五|六七八九十|一二三四五|六七八九十|一二|"));
}

TEST(Reflow, TheRestJoinsAContinuationAndStopsBeforeAParagraphBreak) {
    EXPECT_EQ(reflowed("一二三四五六七|八九十||　　新段落开始了吗"),
              text("一二三四五|六七八九十||　　新段落|开始了吗|"));
    EXPECT_EQ(reflowed("一二三四五六七|  八九十"), text("一二三四五|六七|  八九十"));
    EXPECT_EQ(reflowed("一二三四五六七|\t\t八"), text("一二三四五|六七|\t\t八"));
}

TEST(Reflow, ADoubleByteCharacterIsNeverSplitAndGoesToTheRest) {
    // "六七 八九十" is 11 bytes; byte 10 is the first half of 十.
    EXPECT_EQ(reflowed("一二三四五六七| 八九十"), text("一二三四五|六七 八九|十|"));
    std::string fourByte = "ab\x94\x39\xFC\x36"
                           "cd"; // an emoji in the middle
    EXPECT_EQ(reflow::run(fourByte, 4), "ab\r\n\x94\x39\xFC\x36\r\ncd\r\n");
    // An odd run of high bytes: its last one pairs with the letter after it.
    EXPECT_EQ(reflow::run("\xB0\xA1\xB0\x41z", 3), "\xB0\xA1\r\n\xB0\x41z\r\n");
    // A character wider than the line still moves on.
    EXPECT_EQ(reflow::run(gb("一二"), 1), text("一|二|"));
}

// A cut that would split a character moves it to the rest, so a line can
// take more passes than a count made from the text's length; the passes go
// on until no line is longer than the width.
TEST(Reflow, NoLineIsLeftLongerThanTheWidth) {
    std::string fifteen = "一二三四五六七八九十甲乙丙丁戊";
    EXPECT_EQ(reflow::run(gb(fifteen), 3), text("一|二|三|四|五|六|七|八|九|十|甲|乙|丙|丁|戊|"));
    std::string mixed;
    for (int i = 0; i < 19; ++i)
        mixed += gb("a一");
    std::string runOfHan;
    for (int i = 0; i < 9600; ++i)
        runOfHan += gb("一");
    for (auto [input, width] : {std::pair{mixed, 4}, std::pair{runOfHan, 65}})
        for (auto line : lines::split(reflow::run(input, width)))
            EXPECT_LE(line.size(), std::size_t(width));
}

TEST(Reflow, ProgressMarksGrowAndEmptyAgainstThePanelWidth) {
    reflow::Progress progress;
    progress.panelWidth = 99;
    std::vector<std::string> shown;
    progress.show = [&](const std::string& hint) { shown.push_back(hint); };
    reflow::run(text("一二三四五六七|八九十||　　新段落开始了吗"), 10, &progress);
    const std::string mark = gb("■■■■■");
    // The first cut joins a continuation (10 bytes x 2 <= 99: kept), the
    // second makes a line of its own (20 bytes x 5 > 99: emptied).
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], mark);
    EXPECT_EQ(shown[1], "");
}

// The command line reflows in blocks cut at these places, so any text cut
// there must come out as the whole does, whatever its line ends.
TEST(Reflow, TextCutAtAParagraphPlaceReflowsAsTheWhole) {
    const std::vector<std::string> pieces = {"a",  "bc",     " ",      "\r\n", "\n",
                                             "\r", gb("字"), gb("　"), "x y",  gb("长一些的句子")};
    std::mt19937 random(5);
    int cuts = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string whole;
        for (int i = std::uniform_int_distribution<int>(1, 30)(random); i > 0; --i)
            whole += pieces[random() % pieces.size()];
        std::size_t cut = reflow::lastParagraphCut(whole);
        if (cut == 0)
            continue;
        ++cuts;
        int width = std::uniform_int_distribution<int>(2, 12)(random);
        std::string_view view(whole);
        ASSERT_EQ(reflow::run(view.substr(0, cut), width) + reflow::run(view.substr(cut), width),
                  reflow::run(view, width))
            << "cut at " << cut << " of " << testing::PrintToString(whole);
    }
    EXPECT_GT(cuts, 1000);
    EXPECT_EQ(reflow::lastParagraphCut("one\r\ntwo"), 0u);
    EXPECT_EQ(reflow::lastParagraphCut("one\r\n\r\ntwo"), 5u);
}
