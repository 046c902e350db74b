#pragma once

#include <string>

// Letter case of the ASCII letters only: program text is GB18030, whose
// multi-byte characters never hold an ASCII letter byte as their first byte
// and must not be touched.
namespace kestrum {

inline std::string lowerAscii(std::string text) {
    for (auto& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return text;
}

inline std::string upperAscii(std::string text) {
    for (auto& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return text;
}

} // namespace kestrum
