#pragma once

#include <optional>
#include <string_view>

namespace kestrum {

// The program's integer text: optional sign, "0x"/"0X" (with more after it)
// or "$" for hexadecimal, else decimal, within 32 bits; nothing otherwise.
std::optional<int> parseInteger(std::string_view text);

} // namespace kestrum
