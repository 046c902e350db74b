#include "text/Gb18030.h"

#include "text/Gb18030Iconv.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kestrum::gb18030 {
namespace tables {
extern const char32_t kTwoByte[kTwoByteCount];
extern const char32_t kFourByteBmp[kFourByteBmpCount];
} // namespace tables

namespace {

constexpr long kSupplementaryBase = 189000; // linear index of 90308130

struct CodeTables {
    std::vector<char32_t> decode; // indexed by code
    std::vector<uint32_t> encode; // BMP code point -> packed bytes, 0 = none
    // The few two-byte codes that stand for characters beyond the BMP; their
    // four-byte forms are then not canonical.
    std::vector<std::pair<char32_t, uint32_t>> supplementary;
};

void addEncoding(CodeTables& t, char32_t cp, uint32_t packed) {
    if (cp >= 0x10000)
        t.supplementary.emplace_back(cp, packed);
    else if (t.encode[cp] == 0)
        t.encode[cp] = packed;
}

uint32_t twoByteSupplementary(char32_t cp);

// The decoding tables are constant data generated at build time; only the
// encoding direction is derived from them, once, when first needed.
const CodeTables& twoByteTables() {
    static const CodeTables tables = [] {
        CodeTables t{std::vector<char32_t>(tables::kTwoByte, tables::kTwoByte + kTwoByteCount),
                     std::vector<uint32_t>(0x10000, 0),
                     {}};
        for (int i = 0; i < kTwoByteCount; ++i)
            if (t.decode[i] != kNoCharacter)
                addEncoding(t, t.decode[i],
                            static_cast<uint32_t>((0x81 + i / kTrailCount) << 8 |
                                                  (0x40 + i % kTrailCount)));
        return t;
    }();
    return tables;
}

uint32_t twoByteSupplementary(char32_t cp) {
    for (auto [code, packed] : twoByteTables().supplementary)
        if (code == cp)
            return packed;
    return 0;
}

// Four-byte codes inside the BMP are rare (CJK extension A, some symbols),
// so their encoding table is only built when one is first met.
const CodeTables& fourByteTables() {
    static const CodeTables tables = [] {
        CodeTables t{
            std::vector<char32_t>(tables::kFourByteBmp, tables::kFourByteBmp + kFourByteBmpCount),
            std::vector<uint32_t>(0x10000, 0),
            {}};
        for (long linear = 0; linear < kFourByteBmpCount; ++linear) {
            if (t.decode[linear] == kNoCharacter)
                continue;
            uint32_t packed = 0;
            for (char c : fourBytesOf(linear))
                packed = packed << 8 | static_cast<unsigned char>(c);
            addEncoding(t, t.decode[linear], packed);
        }
        return t;
    }();
    return tables;
}

long fourByteLinear(std::string_view s, std::size_t at) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[at + k]); };
    return ((b(0) - 0x81L) * 10 + (b(1) - 0x30)) * 1260 + (b(2) - 0x81) * 10 + (b(3) - 0x30);
}

// Decodes the character at `at`; returns its byte length, or 0 when the
// byte there has to be carried escaped.
std::size_t decodeAt(std::string_view s, std::size_t at, char32_t& cp) {
    auto lead = static_cast<unsigned char>(s[at]);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    std::size_t length = characterLength(s, at);
    if (length == 2) {
        auto trail = static_cast<unsigned char>(s[at + 1]);
        cp = twoByteTables().decode[(lead - 0x81) * kTrailCount + (trail - 0x40)];
    } else if (length == 4) {
        long linear = fourByteLinear(s, at);
        if (linear < kFourByteBmpCount)
            cp = fourByteTables().decode[linear];
        else if (linear >= kSupplementaryBase && linear - kSupplementaryBase <= 0xFFFFF)
            cp = static_cast<char32_t>(0x10000 + linear - kSupplementaryBase);
        else
            cp = kNoCharacter;
        if (cp != kNoCharacter && cp >= 0x10000 && twoByteSupplementary(cp))
            cp = kNoCharacter;
    } else {
        cp = kNoCharacter;
    }
    return cp == kNoCharacter ? 0 : length;
}

// Walks the bytes, handing each character's code point or each escaped byte
// to the sinks; the one loop behind every decoding direction.
template <typename OnCharacter, typename OnRawByte>
void forEachCharacter(std::string_view bytes, OnCharacter onCharacter, OnRawByte onRawByte) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp;
        if (std::size_t length = decodeAt(bytes, i, cp)) {
            onCharacter(cp);
            i += length;
        } else {
            onRawByte(static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
}

void appendPacked(std::string& out, uint32_t packed) {
    if (packed > 0xFFFF)
        out += static_cast<char>(packed >> 24), out += static_cast<char>(packed >> 16);
    out += static_cast<char>(packed >> 8);
    out += static_cast<char>(packed);
}

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp >= 0xDC80 && cp <= 0xDCFF) {
        out += static_cast<char>(cp - 0xDC00);
    } else if (uint32_t packed = cp >= 0x10000 ? twoByteSupplementary(cp) : 0) {
        appendPacked(out, packed);
    } else if (cp >= 0x10000 && cp <= 0x10FFFF) {
        out += fourBytesOf(static_cast<long>(cp - 0x10000) + kSupplementaryBase);
    } else if (cp < 0x10000 && (cp < 0xD800 || cp > 0xDFFF)) {
        uint32_t packed = twoByteTables().encode[cp];
        if (!packed)
            packed = fourByteTables().encode[cp];
        if (packed)
            appendPacked(out, packed);
        else
            out += '?';
    } else {
        out += '?';
    }
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one well-formed UTF-8 sequence at `at`; 0 when the byte there is
// not the start of one (overlong forms and surrogates included).
std::size_t utf8At(std::string_view s, std::size_t at, char32_t& cp) {
    auto b0 = static_cast<unsigned char>(s[at]);
    std::size_t length = b0 < 0x80 ? 1 : b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 ? 2 : 0;
    if (!length || b0 > 0xF4 || at + length > s.size())
        return 0;
    cp = length == 1 ? b0 : b0 & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        auto b = static_cast<unsigned char>(s[at + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

bool isCharacterAt(std::string_view bytes, std::size_t at) {
    char32_t cp;
    return decodeAt(bytes, at, cp) != 0;
}

std::u16string toUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    forEachCharacter(
        bytes,
        [&](char32_t cp) {
            if (cp >= 0x10000) {
                out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                out += static_cast<char16_t>(cp);
            }
        },
        [&](unsigned char b) { out += static_cast<char16_t>(0xDC00 + b); });
    return out;
}

std::string fromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            appendCodePoint(out, unit);
        }
    }
    return out;
}

// File names and much else are plain ASCII: no conversion is needed.
std::string toUtf8(std::string_view bytes) {
    if (isPlainAscii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    forEachCharacter(
        bytes, [&](char32_t cp) { appendUtf8(out, cp); },
        [&](unsigned char b) { out += static_cast<char>(b); });
    return out;
}

std::string fromUtf8(std::string_view text) {
    if (isPlainAscii(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp;
        if (std::size_t length = utf8At(text, i, cp)) {
            appendCodePoint(out, cp);
            i += length;
        } else {
            out += text[i++];
        }
    }
    return out;
}

} // namespace kestrum::gb18030
