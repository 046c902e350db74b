#include "base/InterfaceLanguage.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace kestrum {
namespace {

std::vector<std::string> subtags(const std::string& name) {
    std::string cleaned = name.substr(0, name.find_first_of(".@")); // zh_TW.UTF-8@variant
    std::replace(cleaned.begin(), cleaned.end(), '_', '-');
    std::vector<std::string> parts;
    std::istringstream in(cleaned);
    for (std::string part; std::getline(in, part, '-');) {
        std::transform(part.begin(), part.end(), part.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        parts.push_back(part);
    }
    return parts;
}

InterfaceLanguage chinese(const std::vector<std::string>& parts) {
    auto has = [&](const char* tag) {
        return std::find(parts.begin() + 1, parts.end(), tag) != parts.end();
    };
    if (has("hk") || has("mo"))
        return InterfaceLanguage::HongKongTraditional;
    if (has("tw") || has("hant"))
        return InterfaceLanguage::TaiwanTraditional;
    return InterfaceLanguage::Source;
}

std::optional<InterfaceLanguage> languageOf(const std::string& name) {
    std::vector<std::string> parts = subtags(name);
    if (parts.empty())
        return std::nullopt;
    if (parts[0] == "c" || parts[0] == "posix")
        return InterfaceLanguage::Source;
    if (parts[0] == "zh")
        return chinese(parts);
    if (parts[0] == "en")
        return InterfaceLanguage::English;
    return std::nullopt;
}

} // namespace

InterfaceLanguage interfaceLanguage(const std::vector<std::string>& preferred) {
    for (const std::string& name : preferred)
        if (auto language = languageOf(name))
            return *language;
    return InterfaceLanguage::English;
}

} // namespace kestrum
