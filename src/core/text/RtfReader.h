#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A reader for the rich text format as word processors write it, enough to
// show a document: its text with bold, italic, underline, size and colour.
// Tables, pictures, fields and the rest are read as their plain text or
// skipped. Linear in the input, with a bounded group depth.
namespace kestrum::rtf {

struct Format {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;                // \fsN; 24 is 12 points
    std::optional<std::uint32_t> color; // 0xRRGGBB; nothing for the default

    bool operator==(const Format&) const = default;
};

struct Run {
    std::string text; // UTF-8; a line break is "\n"
    Format format;
};

struct Document {
    std::vector<Run> runs;
    std::string plainText() const;
};

// Turns bytes in a Windows code page (936 GBK, 950 Big5, 1252 Western...)
// into UTF-8. The reader's own decodes 936 and its subsets through the
// program's codec and every other page as Latin-1; callers with more
// codecs pass their own.
using Decoder = std::function<std::string(std::string_view bytes, int codePage)>;
std::string decodeCodePage(std::string_view bytes, int codePage);

inline constexpr int kDeepestGroup = 1000;

// True when the bytes start as an RTF document does ("{\rtf").
bool looksLikeRtf(std::string_view bytes);

// The document, or nothing when the bytes are no RTF or nest groups deeper
// than kDeepestGroup (the caller then shows them as plain text). A document
// cut short gives what stands before the cut.
std::optional<Document> read(std::string_view bytes, const Decoder& decode = decodeCodePage);

} // namespace kestrum::rtf
