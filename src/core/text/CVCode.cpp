#include "text/CVCode.h"

namespace kestrum::cvcode {
namespace {

unsigned hiOf(std::string_view p) {
    return static_cast<unsigned char>(p[0]);
}
unsigned loOf(std::string_view p) {
    return static_cast<unsigned char>(p[1]);
}
bool big5Second(unsigned lo) {
    return (lo >= 0x40 && lo <= 0x7E) || (lo >= 0xA1 && lo <= 0xFE);
}

int gbIndex(unsigned hi, unsigned lo) {
    return (static_cast<int>(hi) - 0xA1) * 94 + (static_cast<int>(lo) - 0xA1);
}

int big5Index(unsigned hi, unsigned lo) {
    int cell = lo <= 0x7E ? static_cast<int>(lo) - 0x40 : 63 + static_cast<int>(lo) - 0xA1;
    return (static_cast<int>(hi) - 0xA1) * 157 + cell;
}

// The one loop behind both directions: a pair that passes the test and
// indexes inside the table is replaced; any other byte is copied and the
// byte after it looked at afresh. `Direction` supplies the pair test and the
// index as inlined functions, which keeps the loop near memory speed.
template <typename Direction>
std::string convert(std::string_view text, const uint16_t* table, int tableSize) {
    std::string out(text.size(), '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    char* to = out.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        unsigned hi = in[i];
        unsigned lo = i + 1 < n ? in[i + 1] : 0;
        if (hi >= 0xA1 && Direction::isPair(hi, lo)) {
            int index = Direction::index(hi, lo);
            if (index < tableSize) {
                uint16_t code = table[index];
                to[i] = static_cast<char>(code >> 8);
                to[i + 1] = static_cast<char>(code & 0xFF);
                i += 2;
                continue;
            }
        }
        to[i] = static_cast<char>(hi);
        ++i;
    }
    return out;
}

struct GbDirection {
    static bool isPair(unsigned hi, unsigned lo) { return hi <= 0xF7 && lo >= 0xA1 && lo <= 0xFE; }
    static int index(unsigned hi, unsigned lo) { return gbIndex(hi, lo); }
};

struct Big5Direction {
    static bool isPair(unsigned, unsigned lo) { return big5Second(lo); }
    static int index(unsigned hi, unsigned lo) { return big5Index(hi, lo); }
};

} // namespace

int GbCodeIndex(std::string_view pair) {
    return pair.size() < 2 ? -1 : gbIndex(hiOf(pair), loOf(pair));
}

int Big5CodeIndex(std::string_view pair) {
    if (pair.size() < 2 || !big5Second(loOf(pair)))
        return -1;
    return big5Index(hiOf(pair), loOf(pair));
}

bool IsGbPair(std::string_view pair) {
    return pair.size() >= 2 && hiOf(pair) >= 0xA1 && GbDirection::isPair(hiOf(pair), loOf(pair));
}

bool IsBig5Pair(std::string_view pair) {
    return pair.size() >= 2 && hiOf(pair) >= 0xA1 && Big5Direction::isPair(hiOf(pair), loOf(pair));
}

std::string CodeToPair(uint16_t code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string ConvertGbToBig5(std::string_view text) {
    return convert<GbDirection>(text, GbToBig5Table, kGbTableSize);
}

std::string ConvertBig5ToGb(std::string_view text) {
    return convert<Big5Direction>(text, Big5ToGbTable, kBig5TableSize);
}

} // namespace kestrum::cvcode
