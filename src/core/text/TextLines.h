#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines of program text: received text may break lines with CR LF, a lone
// CR or a lone LF; the program writes CR LF.
namespace kestrum::lines {

inline constexpr std::string_view kCrLf = "\r\n";

// The lines of `text`; a break at the very end starts no further line.
std::vector<std::string_view> split(std::string_view text);

// Line `index`, or the empty line beyond the last.
std::string_view lineAt(const std::vector<std::string_view>& lines, std::size_t index);

// `text` with every kind of line break written as CR LF.
std::string withCrLf(std::string_view text);

// Bytes up to 0x20 (blanks and control characters) removed from both ends.
std::string_view trimControls(std::string_view text);

} // namespace kestrum::lines
