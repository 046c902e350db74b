#include "base/Errors.h"
#include "base/InterfaceLanguage.h"
#include "store/CategoryTable.h"
#include "text/Gb18030.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

using namespace kestrum;
using L = InterfaceLanguage;

// The names as Qt lists them for LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
TEST(InterfaceLanguage, FollowsTheFirstChineseEnglishOrCEntry) {
    struct Case {
        std::vector<std::string> preferred;
        L expected;
    } cases[] = {
        {{"C"}, L::Source},
        {{"zh-CN", "zh-Hans-CN", "zh"}, L::Source},
        {{"zh-SG", "zh-Hans-SG"}, L::Source},
        {{"zh_CN.GB18030"}, L::Source},
        {{"zh-TW", "zh-Hant-TW"}, L::TaiwanTraditional},
        {{"zh-Hant"}, L::TaiwanTraditional},
        {{"zh-HK", "zh-Hant-HK"}, L::HongKongTraditional},
        {{"zh_MO.UTF-8"}, L::HongKongTraditional},
        {{"en-US", "en-Latn-US", "en"}, L::English},
        {{"de-DE", "de-Latn-DE", "de"}, L::English},
        {{"de", "zh-TW", "zh-Hant-TW"}, L::TaiwanTraditional}, // LANGUAGE=de:zh_TW
        {{"fr", "en", "zh-CN"}, L::English},
        {{}, L::English},
    };
    for (const auto& c : cases)
        EXPECT_EQ(interfaceLanguage(c.preferred), c.expected)
            << testing::PrintToString(c.preferred);
}

// A message pattern is looked up whole, before its argument goes in: the
// argument is never translated, and the result is program text.
TEST(Messages, PatternsAreTranslatedBeforeTheArgumentGoesIn) {
    Messages::setTranslator([](const char* context, const char* utf8) {
        return std::string(context) + "[" + utf8 + "]";
    });
    std::string message;
    try {
        checkCategoryName(gb("类别 "));
    } catch (const KestrumError& e) {
        message = e.what();
    }
    Messages::setTranslator(nullptr);
    EXPECT_EQ(message, gb("Messages[类别名“类别 ”不能用：类别名的开头和结尾不能是空格。]"));
    EXPECT_EQ(Messages::tr("这是"), gb("这是")); // without a translator, the source
}
