#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversion between GB2312 (simplified) and Big5 (traditional) text that
// maps characters, not only codes: 国 becomes 國 and back. Every byte string
// converts, and the result always has as many bytes as the input.
namespace kestrum::cvcode {

inline constexpr int kGbTableSize = 8178;    // 87 rows x 94 cells
inline constexpr int kBig5TableSize = 14758; // 94 rows x 157 cells
inline constexpr uint16_t kNoCounterpart = 0x2020;

extern const uint16_t GbToBig5Table[kGbTableSize];
extern const uint16_t Big5ToGbTable[kBig5TableSize];

int GbCodeIndex(std::string_view pair);
int Big5CodeIndex(std::string_view pair);
bool IsGbPair(std::string_view pair);
bool IsBig5Pair(std::string_view pair);
std::string CodeToPair(uint16_t code);

std::string ConvertGbToBig5(std::string_view text);
std::string ConvertBig5ToGb(std::string_view text);

} // namespace kestrum::cvcode
