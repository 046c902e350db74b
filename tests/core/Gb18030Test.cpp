#include "text/Gb18030.h"
#include "text/Gb18030Iconv.h"

#include <gtest/gtest.h>
#include <random>

using namespace kestrum;

TEST(Gb18030, ValidTextDecodesToTheRightCharacters) {
    EXPECT_EQ(gb18030::toUtf16("\xD6\xD0\xB9\xFA"), u"中国");
    EXPECT_EQ(gb18030::toUtf16("A\xA1\xA1z"), u"A\u3000z");
    EXPECT_EQ(gb18030::toUtf16("\x81\x40"), u"丂"); // GBK beyond GB2312
    EXPECT_EQ(gb18030::toUtf16("\x94\x39\xFC\x36"), u"😀");
    EXPECT_EQ(gb18030::toUtf16("\x81\x30\x81\x30"), u"\u0080");
    EXPECT_EQ(gb18030::fromUtf16(u"中国😀\u0080"),
              "\xD6\xD0\xB9\xFA\x94\x39\xFC\x36\x81\x30\x81\x30");
    EXPECT_EQ(gb("非分类"), "\xB7\xC7\xB7\xD6\xC0\xE0");
}

TEST(Gb18030, InvalidBytesTravelAsEscapesAndComeBackUnchanged) {
    std::string broken = "\x80\xFF\xB0\x7F\xB0";
    EXPECT_EQ(gb18030::toUtf16(broken), std::u16string(u"\xDC80\xDCFF\xDCB0\x7F\xDCB0"));
    EXPECT_EQ(gb18030::fromUtf16(gb18030::toUtf16(broken)), broken);
    EXPECT_EQ(gb18030::toUtf8(broken), broken);
}

TEST(Gb18030, AnyByteStringSurvivesBothRoundTrips) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 24, '\0');
        for (auto& b : bytes)
            b = static_cast<char>(round % 2 ? random() % 256 : 0x80 + random() % 128);
        ASSERT_EQ(gb18030::fromUtf16(gb18030::toUtf16(bytes)), bytes) << round;
    }
}

TEST(Gb18030, EveryTwoByteCodeSurvivesTheRoundTrip) {
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(gb18030::fromUtf16(gb18030::toUtf16(bytes)), bytes) << lead << " " << trail;
        }
}

// The tables the build generated agree with glibc's converter on every
// two-byte code and every four-byte code of the BMP.
TEST(Gb18030, TheGeneratedTablesAgreeWithIconv) {
    gb18030::IconvPair iconv;
    auto check = [&](const std::string& bytes) {
        char32_t expected = iconv.canonicalDecode(bytes);
        std::u16string decoded = gb18030::toUtf16(bytes);
        if (expected == gb18030::kNoCharacter)
            return decoded.size() == bytes.size() && decoded[0] >= 0xDC80 && decoded[0] <= 0xDCFF;
        std::u16string want =
            expected < 0x10000
                ? std::u16string(1, static_cast<char16_t>(expected))
                : std::u16string{static_cast<char16_t>(0xD800 + ((expected - 0x10000) >> 10)),
                                 static_cast<char16_t>(0xDC00 + ((expected - 0x10000) & 0x3FF))};
        return decoded == want;
    };
    for (int i = 0; i < gb18030::kTwoByteCount; ++i) {
        if (gb18030::twoBytesAt(i)[1] != 0x7F) {
            ASSERT_TRUE(check(gb18030::twoBytesAt(i))) << i;
        }
    }
    for (long i = 0; i < gb18030::kFourByteBmpCount; ++i)
        ASSERT_TRUE(check(gb18030::fourBytesOf(i))) << i;
}

TEST(Gb18030, Utf8OfValidTextIsExactBothWays) {
    std::string utf8 = "路径/中文 😀 café";
    EXPECT_EQ(gb18030::toUtf8(gb18030::fromUtf8(utf8)), utf8);
    EXPECT_EQ(gb18030::fromUtf8("\xC0\xAF"), "\xC0\xAF"); // overlong "/" stays raw bytes
}

TEST(Gb18030, CharacterLengthFollowsTheByteShapes) {
    std::string text = "a\xD6\xD0\x94\x39\xFC\x36\xB0";
    EXPECT_EQ(gb18030::characterLength(text, 0), 1u);
    EXPECT_EQ(gb18030::characterLength(text, 1), 2u);
    EXPECT_EQ(gb18030::characterLength(text, 3), 4u);
    EXPECT_EQ(gb18030::characterLength(text, 7), 1u); // lone lead byte at the end
}
