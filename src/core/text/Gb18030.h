#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's 8-bit text is GB18030: a superset of GB2312 and GBK that
// covers all of Unicode. Bytes that form no character are carried as lone
// surrogates U+DC80..U+DCFF on the Unicode side, so that any byte string
// survives the trip to Unicode and back unchanged.
namespace kestrum::gb18030 {

// Length (1, 2 or 4) of the character whose bytes start at `at`, judged by
// the byte ranges alone; 1 for a byte that starts no multi-byte shape.
// Inline: the reflow and the search walk every character with it.
inline std::size_t characterLength(std::string_view s, std::size_t at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    if (byte(at) < 0x81 || byte(at) == 0xFF || at + 1 >= s.size())
        return 1;
    unsigned char second = byte(at + 1);
    if (second >= 0x40 && second <= 0xFE && second != 0x7F)
        return 2;
    if (second >= 0x30 && second <= 0x39 && at + 3 < s.size() && byte(at + 2) >= 0x81 &&
        byte(at + 2) <= 0xFE && byte(at + 3) >= 0x30 && byte(at + 3) <= 0x39)
        return 4;
    return 1;
}

// Plain ASCII: the same bytes in GB18030 and in UTF-8.
inline bool isPlainAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// True when the bytes at `at` decode to a character (as opposed to a byte
// that can only be carried escaped).
bool isCharacterAt(std::string_view bytes, std::size_t at);

std::u16string toUtf16(std::string_view bytes);
std::string fromUtf16(std::u16string_view text);

// UTF-8 is what file names and the source files use; escaped bytes become the
// raw byte, as file systems on Linux take any byte string.
std::string toUtf8(std::string_view bytes);
std::string fromUtf8(std::string_view text);

} // namespace kestrum::gb18030

namespace kestrum {
// Program text for a literal written in UTF-8 source.
inline std::string gb(std::string_view utf8) {
    return gb18030::fromUtf8(utf8);
}
} // namespace kestrum
