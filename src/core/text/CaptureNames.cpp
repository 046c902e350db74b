#include "text/CaptureNames.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <vector>

namespace kestrum::names {
namespace {

constexpr std::size_t kLinesSearched = 101;
constexpr std::size_t kLongestName = 40;

bool keptByte(unsigned char b) {
    return b >= '0' &&
           std::string_view(":<>?\\|").find(static_cast<char>(b)) == std::string_view::npos;
}

// The first of lines 0 to 100 whose trimmed form is longer than
// `shortestLength` bytes, else line 100 (empty when there is none).
std::string_view nameSourceLine(std::string_view text, std::size_t shortestLength) {
    auto all = lines::split(text);
    for (std::size_t i = 0; i < kLinesSearched; ++i)
        if (lines::trimControls(lines::lineAt(all, i)).size() > shortestLength)
            return lines::lineAt(all, i);
    return lines::lineAt(all, kLinesSearched - 1);
}

std::string filterBytes(std::string_view source) {
    std::string kept;
    for (char c : source)
        if (keptByte(static_cast<unsigned char>(c)))
            kept += c;
    return kept;
}

// Whole characters pass; single bytes pass by the byte rule. A byte that
// forms no character is dropped, so a name is always well-formed text.
std::string filterCharacters(std::string_view source) {
    std::string kept;
    for (std::size_t i = 0; i < source.size();) {
        std::size_t length = gb18030::characterLength(source, i);
        bool keep = length > 1 ? gb18030::isCharacterAt(source, i)
                               : keptByte(static_cast<unsigned char>(source[i]));
        if (keep)
            kept.append(source.substr(i, length));
        i += length;
    }
    return kept;
}

std::string firstCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < text.size(); ++n)
        at += gb18030::characterLength(text, at);
    return std::string(text.substr(0, at));
}

std::string finish(std::string filtered, std::size_t keptWhenLong) {
    if (filtered.empty())
        return fallbackName();
    if (characterCount(filtered) > kLongestName)
        return firstCharacters(filtered, keptWhenLong) + "~1";
    return filtered;
}

} // namespace

const std::string& fallbackName() {
    static const std::string name = gb("OrrinKestrum保存文件");
    return name;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += gb18030::characterLength(text, i))
        ++count;
    return count;
}

std::string dropCaptureName(std::string_view text) {
    return finish(filterCharacters(nameSourceLine(text, 0)), kLongestName);
}

std::string pasteCaptureName(std::string_view text) {
    return finish(filterBytes(lines::trimControls(nameSourceLine(text, 2))), 20);
}

std::string firstLineName(std::string_view text) {
    return finish(filterBytes(lines::trimControls(nameSourceLine(text, 0))), 20);
}

std::string numberedFile(std::string_view folder, std::string_view name, int n) {
    std::string path = std::string(folder) + std::string(name);
    if (n > 0)
        path += "(" + std::to_string(n) + ")";
    return path + ".txt";
}

} // namespace kestrum::names
