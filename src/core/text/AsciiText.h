#pragma once

#include "text/Gb18030.h"

#include <string>
#include <string_view>

// Letter case of the ASCII letters only. Program text is GB18030, where the
// second byte of a double-byte character may have the value of an ASCII
// letter (丄 is 81 41, 乤 is 81 61): only bytes that stand as characters of
// their own are folded.
namespace kestrum {

namespace detail {
template <typename Fold> std::string foldAscii(std::string text, Fold fold) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = gb18030::characterLength(text, i);
        if (length == 1)
            text[i] = fold(text[i]);
        i += length;
    }
    return text;
}
} // namespace detail

inline std::string lowerAscii(std::string text) {
    return detail::foldAscii(std::move(text), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    });
}

inline std::string upperAscii(std::string text) {
    return detail::foldAscii(std::move(text), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    });
}

// True when the two texts differ at most in the case of ASCII letters.
inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && lowerAscii(std::string(a)) == lowerAscii(std::string(b));
}

} // namespace kestrum
