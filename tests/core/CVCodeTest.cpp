#include "text/CVCode.h"
#include "text/Gb18030.h"

#include <gtest/gtest.h>
#include <set>

using namespace kestrum;
using namespace kestrum::cvcode;

namespace {
std::string gbOf(const char* utf8) {
    return gb(utf8);
}
uint16_t gbToBig5(uint16_t gbCode) {
    return GbToBig5Table[GbCodeIndex(CodeToPair(gbCode))];
}
uint16_t big5ToGb(uint16_t big5Code) {
    return Big5ToGbTable[Big5CodeIndex(CodeToPair(big5Code))];
}
} // namespace

TEST(CVCode, TellingEntriesOfBothTables) {
    EXPECT_EQ(gbToBig5(0xA1A1), 0x2020);
    EXPECT_EQ(gbToBig5(0xA1A2), 0xA142);
    EXPECT_EQ(gbToBig5(0xA3A1), 0xA149);
    EXPECT_EQ(gbToBig5(0xB0A1), 0xB0DA);
    EXPECT_EQ(gbToBig5(0xB9FA), 0xB0EA);
    EXPECT_EQ(gbToBig5(0xB7A2), 0xB56F);
    EXPECT_EQ(gbToBig5(0xF7FE), 0x2020);
    EXPECT_EQ(big5ToGb(0xA140), 0x2020);
    EXPECT_EQ(big5ToGb(0xA141), 0xA3AC);
    EXPECT_EQ(big5ToGb(0xA2AF), 0xA3B0);
    EXPECT_EQ(big5ToGb(0xA440), 0xD2BB);
    EXPECT_EQ(big5ToGb(0xB0EA), 0xB9FA);
    EXPECT_EQ(big5ToGb(0xBE76), 0xB7A2);
    EXPECT_EQ(big5ToGb(0xABE1), 0xE1E1);
    EXPECT_EQ(big5ToGb(0xC5E9), 0xCCE5);
    EXPECT_EQ(big5ToGb(0xFEFE), 0x2020);
}

TEST(CVCode, OneOfSeveralTraditionalFormsIsChosenAsNamed) {
    // The Big5 bytes of the chosen traditional forms, from glibc's BIG5.
    struct Choice {
        const char* simplified;
        uint16_t big5;
    } choices[] = {{"发", 0xB56F}, {"后", 0xABE1}, {"里", 0xB8CC}, {"只", 0xB0A6},
                   {"台", 0xBB4F}, {"云", 0xB6B3}, {"几", 0xB458}, {"么", 0xBBF2},
                   {"中", 0xA4A4}, {"干", 0xA47A}, {"面", 0xADB1}};
    for (const auto& c : choices) {
        std::string big5 = ConvertGbToBig5(gbOf(c.simplified));
        EXPECT_EQ(big5, CodeToPair(c.big5)) << c.simplified;
    }
}

TEST(CVCode, Big5KeepsWhatGb2312HasAndSimplifiesTheRest) {
    EXPECT_EQ(ConvertBig5ToGb(CodeToPair(0xC5E9)), gbOf("体"));
    EXPECT_EQ(ConvertBig5ToGb(CodeToPair(0xB0EA)), gbOf("国"));
    EXPECT_EQ(ConvertBig5ToGb(CodeToPair(0xBE76)), gbOf("发")); // 髮
    EXPECT_EQ(ConvertBig5ToGb(CodeToPair(0xB56F)), gbOf("发")); // 發
    EXPECT_EQ(ConvertBig5ToGb(CodeToPair(0xABE1)), gbOf("後"));
    EXPECT_EQ(ConvertBig5ToGb(CodeToPair(0xB0AE)), gbOf("乾"));
}

TEST(CVCode, TheConversionLoopCopiesWhatIsNoPairAndKeepsTheLength) {
    EXPECT_EQ(ConvertGbToBig5(""), "");
    EXPECT_EQ(ConvertGbToBig5("\xD6\xD0\xB9\xFA"), "\xA4\xA4\xB0\xEA");
    EXPECT_EQ(ConvertBig5ToGb("\xA4\xA4\xB0\xEA"), "\xD6\xD0\xB9\xFA");
    EXPECT_EQ(ConvertGbToBig5("a\xA1\xA1"
                              "b"),
              "a  b");
    EXPECT_EQ(ConvertBig5ToGb("a\xA1\x40"
                              "b"),
              "a  b");
    EXPECT_EQ(ConvertGbToBig5("Abc 123\r\n"), "Abc 123\r\n");
    EXPECT_EQ(ConvertGbToBig5("\xB0\x41"), "\xB0\x41");
    EXPECT_EQ(ConvertGbToBig5("x\xB0"), "x\xB0");
    EXPECT_EQ(ConvertBig5ToGb("\xA4\x40\x41"), "\xD2\xBB\x41");
    EXPECT_EQ(ConvertBig5ToGb("\xFF\xA4\x40"), "\xFF\xD2\xBB");
    EXPECT_EQ(ConvertBig5ToGb("\xA5\xED"), "  "); // 伕 has no GB2312 form
    std::string any;
    for (int i = 0; i < 4096; ++i)
        any += static_cast<char>((i * 7919) % 256);
    EXPECT_EQ(ConvertGbToBig5(any).size(), any.size());
    EXPECT_EQ(ConvertBig5ToGb(any).size(), any.size());
}

TEST(CVCode, IndexesAndPairTestsFollowTheirRanges) {
    EXPECT_EQ(GbCodeIndex("\xA1"), -1);
    EXPECT_EQ(GbCodeIndex("\xA1\xA1"), 0);
    EXPECT_EQ(GbCodeIndex("\xF7\xFE"), 8177);
    EXPECT_EQ(Big5CodeIndex("\xA1\x40"), 0);
    EXPECT_EQ(Big5CodeIndex("\xA1\xA1"), 63);
    EXPECT_EQ(Big5CodeIndex("\xFE\xFE"), 14757);
    EXPECT_EQ(Big5CodeIndex("\xA1\x80"), -1);
    EXPECT_GT(Big5CodeIndex("\xFF\x40"), 14757);
    EXPECT_TRUE(IsGbPair("\xF7\xFE"));
    EXPECT_FALSE(IsGbPair("\xF8\xA1"));
    EXPECT_TRUE(IsBig5Pair("\xFF\x40"));
    EXPECT_FALSE(IsBig5Pair("\xA1\x7F"));
    EXPECT_EQ(CodeToPair(0xB0EA), "\xB0\xEA");
}

// The tables come from glibc's code points and OpenCC's correspondence; the
// counts land near the published ones (kana, whose Big5 positions glibc
// does not decode, make most of the gap in the GB direction).
TEST(CVCode, TheTablesHaveTheExpectedShape) {
    auto isRowEmpty = [](const uint16_t* table, int cells, int row) {
        for (int i = 0; i < cells; ++i)
            if (table[row * cells + i] != kNoCounterpart)
                return false;
        return true;
    };
    for (int row : {0xC7, 0xC8, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE})
        EXPECT_TRUE(isRowEmpty(Big5ToGbTable, 157, row - 0xA1)) << std::hex << row;
    for (int row : {0xA7, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF})
        EXPECT_TRUE(isRowEmpty(GbToBig5Table, 94, row - 0xA1)) << std::hex << row;
    int gbCodes = 0, big5Codes = 0;
    std::set<uint16_t> distinct;
    for (uint16_t v : GbToBig5Table)
        gbCodes += v != kNoCounterpart;
    for (uint16_t v : Big5ToGbTable)
        if (v != kNoCounterpart)
            ++big5Codes, distinct.insert(v);
    EXPECT_NEAR(gbCodes, 6930, 200);
    EXPECT_NEAR(big5Codes, 7111, 50);
    EXPECT_NEAR(static_cast<int>(distinct.size()), 6718, 60);
}
