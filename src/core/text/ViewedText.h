#pragma once

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

} // namespace kestrum
