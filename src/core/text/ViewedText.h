#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// How the file viewer reads a file's bytes.
namespace kestrum {

enum class TextKind {
    Rtf,         // rich text format, shown formatted
    Utf8,        // valid UTF-8 with characters beyond ASCII, as most Linux text is
    ProgramText, // anything else: the program's own 8-bit text (GB18030)
};

TextKind kindOfText(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF).
bool isUtf8(std::string_view bytes);

// The viewer shows a file a part at a time, so memory stays bounded
// whatever the file's size (a shown text takes about ten times its bytes).
inline constexpr std::size_t kViewedPart = 4 << 20;

struct ViewedPart {
    std::string bytes;
    std::uint64_t next = 0; // where the next part starts
    bool more = false;      // the file goes on after this part
};

// The part of the file at `path` (program text) that starts at `offset`:
// at most `most` bytes, ending after a line end when the file goes on and
// the part has one. Raises when the file cannot be read.
ViewedPart readViewedPart(std::string_view path, std::uint64_t offset,
                          std::size_t most = kViewedPart);

} // namespace kestrum
