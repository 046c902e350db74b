#include "text/CaptureNames.h"

#include "text/Gb18030.h"
#include "text/TextLines.h"

#include <algorithm>
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

// Walks the characters of `source`: a byte that forms no character is
// dropped, so a name is always well-formed text and valid UTF-8 on disk;
// single bytes pass by the byte rule, multi-byte characters by `keepWide`.
template <typename KeepWide> std::string filter(std::string_view source, KeepWide keepWide) {
    std::string kept;
    for (std::size_t i = 0; i < source.size();) {
        if (!gb18030::isCharacterAt(source, i)) {
            ++i;
            continue;
        }
        std::size_t length = gb18030::characterLength(source, i);
        std::string_view character = source.substr(i, length);
        if (length > 1 ? keepWide(character) : keptByte(static_cast<unsigned char>(source[i])))
            kept.append(character);
        i += length;
    }
    return kept;
}

// The drop's filter works on decoded characters: every Chinese character passes.
std::string filterCharacters(std::string_view source) {
    return filter(source, [](std::string_view) { return true; });
}

// The paste's and the editor's filter tests bytes: a character passes when
// each of its bytes does, which every GB2312 character does; a GBK
// character whose second byte is "\" or "|" goes whole, never half.
std::string filterBytes(std::string_view source) {
    return filter(source, [](std::string_view character) {
        return std::all_of(character.begin(), character.end(),
                           [](char c) { return keptByte(static_cast<unsigned char>(c)); });
    });
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
