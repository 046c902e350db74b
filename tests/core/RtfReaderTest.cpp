#include "text/RtfReader.h"
#include "store/FileStore.h"
#include "text/Gb18030.h"
#include "text/ViewedText.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace kestrum;

namespace {

rtf::Document readFile(const char* name) {
    auto document = rtf::read(files::load(std::string(KESTRUM_RTF_SAMPLES "/") + name));
    EXPECT_TRUE(document) << name;
    return document.value_or(rtf::Document{});
}

// The format of the run holding `text`, which must lie within one run.
rtf::Format formatOf(const rtf::Document& document, const std::string& text) {
    for (const auto& run : document.runs)
        if (run.text.find(text) != std::string::npos)
            return run.format;
    ADD_FAILURE() << "no run holds " << text;
    return {};
}

} // namespace

TEST(RtfReader, ReadsWhatLibreOfficeWritesFromAFormattedPage) {
    auto document = readFile("libreoffice-html.rtf");
    EXPECT_EQ(document.plainText(), "大号标题文字\n这是粗体的中文，还有斜体和下划线，红色。\n"
                                    "第二段：Kestrum 把文字放进类别。\n");
    EXPECT_EQ(formatOf(document, "大号标题").halfPoints, 48);
    EXPECT_TRUE(formatOf(document, "粗体的中文").bold);
    EXPECT_FALSE(formatOf(document, "这是").bold);
    EXPECT_TRUE(formatOf(document, "斜体").italic);
    EXPECT_TRUE(formatOf(document, "下划线").underline);
    EXPECT_EQ(formatOf(document, "红色").color, 0xFF0000u);
}

// LibreOffice writes each character as \uN followed by two fallback bytes
// under \uc2; the bytes stand in for the character and are not text.
TEST(RtfReader, SkipsTheFallbackBytesThatUcCounts) {
    auto document = readFile("libreoffice-gb-text.rtf");
    EXPECT_EQ(document.plainText(), "这是一段中文文字。\n第二行：Kestrum 把文字放进类别。\n");
}

TEST(RtfReader, ReadsWhatPandocWrites) {
    auto document = readFile("pandoc.rtf");
    EXPECT_EQ(document.plainText(),
              "收集文字\n这是粗体的中文，还有斜体和普通文字。\n第二段：Kestrum 把文字放进类别。\n");
    EXPECT_EQ(formatOf(document, "收集文字").halfPoints, 36);
    EXPECT_TRUE(formatOf(document, "收集文字").bold);
    EXPECT_TRUE(formatOf(document, "粗体的中文").bold);
    EXPECT_FALSE(formatOf(document, "还有").bold);
    EXPECT_TRUE(formatOf(document, "斜体").italic);
}

// Two \'hh make one double-byte character in the font's or document's page.
TEST(RtfReader, DecodesHexBytesInTheDocumentsCodePage) {
    auto gbk = readFile("wordpad-gbk.rtf");
    EXPECT_EQ(gbk.plainText(), "大标题\n这是粗体和红色ABC\n");
    EXPECT_EQ(formatOf(gbk, "大标题").halfPoints, 44);
    EXPECT_TRUE(formatOf(gbk, "粗体").bold);
    EXPECT_EQ(formatOf(gbk, "红色").color, 0xFF0000u);
    EXPECT_FALSE(formatOf(gbk, "这是").color);

    std::vector<std::pair<std::string, int>> asked;
    auto big5 = rtf::read(files::load(KESTRUM_RTF_SAMPLES "/wordpad-big5.rtf"),
                          [&](std::string_view bytes, int page) {
                              asked.push_back({std::string(bytes), page});
                              return std::string("<big5>");
                          });
    ASSERT_TRUE(big5);
    EXPECT_EQ(big5->plainText(), "<big5>\n");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].second, 950);
    EXPECT_EQ(asked[0].first.size(), 8u); // four characters, decoded together
}

TEST(RtfReader, ControlSymbolsGroupsAndSkippedDestinations) {
    auto document =
        rtf::read("{\\rtf1{\\*\\unknown hidden}{\\info{\\title T}}a\\{b\\}c\\\\d\\tab e"
                  "\\line f{\\b g}h\\~i\\u8364?j\\u-10179?\\u-8704?k{\\pict 0a0b}l}tail");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->plainText(), "a{b}c\\d\te\nfgh\u00A0i€j\U0001F600kl");
    EXPECT_TRUE(formatOf(*document, "g").bold);
    EXPECT_FALSE(formatOf(*document, "h").bold); // the group's end restores the format
}

TEST(RtfReader, BadInputGivesPlainTextOrWhatWasReadNeverACrash) {
    EXPECT_FALSE(rtf::read("plain text"));
    EXPECT_FALSE(rtf::read(""));
    EXPECT_FALSE(rtf::read(std::string(2000, '{').insert(0, "{\\rtf1")));
    std::string deep = "{\\rtf1";
    for (int i = 0; i < rtf::kDeepestGroup - 2; ++i)
        deep += "{";
    EXPECT_TRUE(rtf::read(deep + "x"));

    std::string whole = files::load(KESTRUM_RTF_SAMPLES "/wordpad-gbk.rtf");
    for (std::size_t cut = 5; cut < whole.size(); ++cut)
        EXPECT_TRUE(rtf::read(whole.substr(0, cut))) << cut;
    for (const char* odd :
         {"{\\rtf1\\'", "{\\rtf1\\'4", "{\\rtf1\\'zz", "{\\rtf1\\u", "{\\rtf1\\bin999999 x",
          "{\\rtf1\\fs-5 a}", "{\\rtf1\\cf99 a}", "{\\rtf1}}}}", "{\\rtf1\\b99999999999 a}",
          "{\\rtf1\\uc99999 \\u65 abc}"})
        EXPECT_TRUE(rtf::read(odd)) << odd;
}

TEST(RtfReader, TimeGrowsLinearlyWithTheInput) {
    auto timeOf = [](const std::string& input) {
        auto start = std::chrono::steady_clock::now();
        auto document = rtf::read(input);
        EXPECT_TRUE(document);
        return std::chrono::steady_clock::now() - start;
    };
    std::string small = "{\\rtf1", large = "{\\rtf1";
    for (int i = 0; i < 20000; ++i)
        small += "{\\b x}\\'b0\\'a1{\\*\\x y}";
    for (int i = 0; i < 200000; ++i)
        large += "{\\b x}\\'b0\\'a1{\\*\\x y}";
    timeOf(small); // warm up
    EXPECT_LT(timeOf(large), 40 * timeOf(small));
}

TEST(ViewedText, RtfThenUtf8ThenProgramText) {
    EXPECT_EQ(kindOfText("{\\rtf1 x}"), TextKind::Rtf);
    EXPECT_EQ(kindOfText("中文"), TextKind::Utf8);
    EXPECT_EQ(kindOfText("ascii only"), TextKind::ProgramText);
    EXPECT_EQ(kindOfText(gb("中文")), TextKind::ProgramText);
    EXPECT_EQ(kindOfText(""), TextKind::ProgramText);
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xB8", "\x80"})
        EXPECT_FALSE(isUtf8(bad)) << bad;
    EXPECT_TRUE(isUtf8("\xF0\x9F\x98\x80 \xEF\xBF\xBF"));
}
