#pragma once

#include <string>
#include <string_view>

// File names made from the first line of a text, for captures and for the
// editor's save and move commands. Every result is safe as one file name:
// it never holds "/" and is never "." or "..".
namespace kestrum::names {

// "OrrinKestrum保存文件", the name when the filter leaves nothing.
const std::string& fallbackName();

// A dropped text: the first line that is not blank, filtered as characters,
// cut to 40 characters + "~1".
std::string dropCaptureName(std::string_view text);

// A pasted text: the first line longer than 2 bytes, trimmed, filtered byte
// by byte, cut to 20 characters + "~1" when over 40.
std::string pasteCaptureName(std::string_view text);

// The editor's first-line name: the first line that is not blank, trimmed,
// filtered byte by byte, cut to 20 characters + "~1" when over 40.
std::string firstLineName(std::string_view text);

// folder + name + ".txt" for n = 0, else folder + name + "(n).txt".
std::string numberedFile(std::string_view folder, std::string_view name, int n);
inline constexpr int kLastNumber = 1000;

// Characters, with a well-formed multi-byte character counted as one.
std::size_t characterCount(std::string_view text);

} // namespace kestrum::names
