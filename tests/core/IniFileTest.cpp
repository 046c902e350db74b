#include "store/IniFile.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "text/Gb18030.h"

#include <gtest/gtest.h>

using namespace kestrum;

class IniFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    IniFile ini{dir.file("tuckpad.ini")};
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefaultAndTheFirstWriteCreatesTheFile) {
    EXPECT_EQ(ini.readString("s", "k", "dflt"), "dflt");
    EXPECT_EQ(ini.readInteger("s", "k", 300), 300);
    EXPECT_TRUE(ini.listKeys("s").empty());
    ini.writeString(gb("类别"), gb("非分类"), "/opt/kestrum/");
    EXPECT_EQ(readBytes(ini.path()), gb("[类别]\r\n非分类=/opt/kestrum/\r\n"));
    EXPECT_EQ(ini.readString(gb("类别"), gb("非分类"), ""), "/opt/kestrum/");
    EXPECT_EQ(ini.readString(gb("类别"), "other", "d"), "d");
}

TEST_F(IniFileTest, WritesReplaceInPlaceAndNewKeysJoinTheirSection) {
    ini.writeInteger("a", "x", 1);
    ini.writeInteger("b", "y", 2);
    ini.writeInteger("a", "z", 3);
    ini.writeInteger("a", "X", 4); // keys match without regard to case
    EXPECT_EQ(readBytes(ini.path()), "[a]\r\nX=4\r\nz=3\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(ini.readInteger("A", "x", 0), 4);
}

TEST_F(IniFileTest, IntegersReadDecimalAndBothHexFormsAndFallBackOnAnythingElse) {
    const int kF = 4242; // the caller's default
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"120", 120},
                 {"-5", -5},
                 {"0x1F", 31},
                 {"0X1f", 31},
                 {"$10", 16},
                 {"0x", kF},
                 {"$", kF},
                 {"12a", kF},
                 {"", kF},
                 {"1.5", kF},
                 {"99999999999", kF},
                 {"0xFFFFFFFF", -1},
                 {"+7", 7},
                 {"2147483648", kF},
                 {"0x100000000", kF},
                 // Values past 32 bits never wrap into range.
                 {"0x8000000000000005", kF},
                 {"0xFFFFFFFFFFFFFFFF", kF},
                 {"$10000000000000000", kF},
                 {"-2147483648", INT32_MIN},
                 {"-2147483649", kF},
                 {"18446744073709551621", kF}};
    for (const auto& c : cases) {
        ini.writeString("p", "k", c.text);
        EXPECT_EQ(ini.readInteger("p", "k", kF), c.expected) << c.text;
    }
}

TEST_F(IniFileTest, BooleansAreIntegersWhereAnyNonZeroIsTrue) {
    ini.writeBool("p", "on", true);
    ini.writeBool("p", "off", false);
    EXPECT_EQ(readBytes(ini.path()), "[p]\r\non=1\r\noff=0\r\n");
    ini.writeString("p", "hex", "0x1");
    ini.writeString("p", "word", "yes");
    EXPECT_TRUE(ini.readBool("p", "hex", false));
    EXPECT_FALSE(ini.readBool("p", "word", false));
    EXPECT_TRUE(ini.readBool("p", "word", true));
    EXPECT_FALSE(ini.readBool("p", "off", true));
}

TEST_F(IniFileTest, LongStringsAreCutAt2047Bytes) {
    ini.writeString("p", "long", std::string(3000, 'a'));
    EXPECT_EQ(ini.readString("p", "long", "").size(), 2047u);
}

TEST_F(IniFileTest, KeysAreListedInFileOrderUpToTheListingLimit) {
    writeBytes(ini.path(), "[c]\r\nzeta=1\r\nalpha=2\r\nmid=3\r\n[d]\r\nother=4\r\n");
    EXPECT_EQ(ini.listKeys("c"), (std::vector<std::string>{"zeta", "alpha", "mid"}));
    // 100 keys of 199 bytes take 200 each: 81 of them fit in 16384 with the final terminator.
    std::string content = "[big]\r\n";
    for (int i = 0; i < 100; ++i)
        content += std::string(196, 'k') + std::to_string(100 + i) + "=v\r\n";
    writeBytes(ini.path(), content);
    auto keys = ini.listKeys("big");
    ASSERT_EQ(keys.size(), 81u);
    EXPECT_EQ(keys.back().substr(196), "180");
}

TEST_F(IniFileTest, HandEditedFilesReadSensibly) {
    writeBytes(ini.path(),
               "; my notes\n\n[ p ]\n  top = 120  \n;left=1\nbroken line\n\n[q]\nk=v\n");
    EXPECT_EQ(ini.readInteger("p", "top", 0), 120);
    EXPECT_EQ(ini.readInteger("p", "left", 7), 7);
    EXPECT_EQ(ini.listKeys("p"), std::vector<std::string>{"top"});
    ini.writeInteger("p", "left", 5);
    EXPECT_EQ(readBytes(ini.path()),
              "; my notes\r\n\r\n[ p ]\r\n  top = 120  \r\n;left=1\r\nbroken line\r\nleft=5\r\n\r\n"
              "[q]\r\nk=v\r\n");
}

TEST_F(IniFileTest, DeleteKeyAndEraseSectionRemoveOnlyTheirLines) {
    writeBytes(ini.path(), "[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n");
    ini.deleteKey("a", "X");
    ini.deleteKey("a", "absent");
    EXPECT_EQ(readBytes(ini.path()), "[a]\r\ny=2\r\n[b]\r\nz=3\r\n");
    ini.eraseSection("a");
    EXPECT_EQ(readBytes(ini.path()), "[b]\r\nz=3\r\n");
}

TEST_F(IniFileTest, EveryReadSeesEveryEarlierWriteOfAnotherObjectOnTheSameFile) {
    IniFile other(ini.path());
    other.writeInteger("p", "k", 1);
    EXPECT_EQ(ini.readInteger("p", "k", 0), 1);
    ini.writeInteger("p", "k", 2);
    EXPECT_EQ(other.readInteger("p", "k", 0), 2);
}

TEST_F(IniFileTest, UnsafeNamesAndValuesAreRefusedWithoutTouchingTheFile) {
    ini.writeString("p", "k", "v");
    EXPECT_THROW(ini.writeString("p", "a=b", "v"), KestrumError);
    EXPECT_THROW(ini.writeString("p", "a\nb", "v"), KestrumError);
    EXPECT_THROW(ini.writeString("p", "[x", "v"), KestrumError);
    EXPECT_THROW(ini.writeString("p", " k", "v"), KestrumError); // could not be read back
    EXPECT_THROW(ini.writeString("p ", "k", "v"), KestrumError);
    EXPECT_THROW(ini.writeString("p", "k", "two\r\nlines"), KestrumError);
    EXPECT_EQ(readBytes(ini.path()), "[p]\r\nk=v\r\n");
}

TEST_F(IniFileTest, ARefusedWriteRaisesUnableToWriteWithThePath) {
    IniFile nowhere(dir.file("no/such/folder/tuckpad.ini"));
    try {
        nowhere.writeInteger("p", "k", 1);
        FAIL();
    } catch (const KestrumError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + nowhere.path());
    }
}

TEST_F(IniFileTest, WriteSectionReplacesTheEntriesInTheGivenOrder) {
    writeBytes(ini.path(), "[p]\r\nq=1\r\n[c]\r\na=1\r\nb=2\r\n\r\n[z]\r\nk=v\r\n");
    ini.writeSection("c", {{"b", "2"}, {"a", "1"}});
    EXPECT_EQ(readBytes(ini.path()), "[p]\r\nq=1\r\n[c]\r\nb=2\r\na=1\r\n\r\n[z]\r\nk=v\r\n");
}
