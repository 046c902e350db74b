#pragma once

#include <string>
#include <vector>

namespace kestrum {

// The languages the interface is shown in. The program's texts are written in
// Simplified Chinese; Traditional Chinese follows Taiwan's or Hong Kong's usage.
enum class InterfaceLanguage { Source, TaiwanTraditional, HongKongTraditional, English };

// The interface language for the user's preferred languages, most preferred
// first, as BCP 47 or POSIX names ("zh-Hant-TW", "zh_TW", "C"). The first
// Chinese, English or C/POSIX entry decides; a list of only other languages
// gets English.
InterfaceLanguage interfaceLanguage(const std::vector<std::string>& preferred);

} // namespace kestrum
