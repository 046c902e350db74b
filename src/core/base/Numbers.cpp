#include "base/Numbers.h"

#include <cstdint>

namespace kestrum {
namespace {

// The digits' value, or nothing when it exceeds `limit`; the check comes
// before every step, so no value can overflow on the way.
std::optional<uint64_t> parseDigits(std::string_view digits, unsigned base, uint64_t limit) {
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        unsigned digit = c >= '0' && c <= '9'   ? c - '0'
                         : c >= 'a' && c <= 'f' ? c - 'a' + 10
                         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                : 99;
        if (digit >= base || value > (limit - digit) / base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

} // namespace

std::optional<int> parseInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = !text.empty() && text.front() == '-';
    std::string_view body = text;
    if (!body.empty() && (body.front() == '-' || body.front() == '+'))
        body.remove_prefix(1);
    unsigned base = 10;
    if (body.size() > 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        body.remove_prefix(2);
        base = 16;
    } else if (!body.empty() && body.front() == '$') {
        body.remove_prefix(1);
        base = 16;
    }
    if (base == 16) {
        // Eight hexadecimal digits name the 32 bits of the value.
        auto value = parseDigits(body, base, 0xFFFFFFFFu);
        if (!value)
            return std::nullopt;
        auto bits = static_cast<uint32_t>(*value);
        return static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    auto value = parseDigits(body, base, negative ? 2147483648u : 2147483647u);
    if (!value)
        return std::nullopt;
    return negative ? static_cast<int>(-static_cast<int64_t>(*value)) : static_cast<int>(*value);
}

} // namespace kestrum
