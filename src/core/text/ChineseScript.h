#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Simplified and traditional Chinese characters in Unicode text, by OpenCC's
// phrase tables: a character with two counterparts goes by the words around
// it (头发 becomes 頭髮, 发现 發現), which no table of single characters can
// do. Unlike the GB2312/Big5 byte conversions, the text stays in one
// encoding and reads as it is shown.
namespace kestrum::script {

enum class Target { Traditional, Simplified };

// UTF-8 text in the target script. Raises when the text is not UTF-8 or
// OpenCC's tables cannot be opened.
std::string convert(std::string_view utf8, Target target);

// Where a stream of UTF-8 text may be cut so each part converts as the
// whole would: after the last line end, else after the last ASCII byte or
// Chinese punctuation, else (a block of nothing but characters) after the
// last whole character, where a phrase may be cut in two. Zero when `bytes`
// holds no whole character yet.
std::size_t lastCut(std::string_view bytes);

} // namespace kestrum::script
