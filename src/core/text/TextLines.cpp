#include "text/TextLines.h"

#include <algorithm>

namespace kestrum::lines {

// A line ends at the first CR or LF. Each is found with find (memchr), far
// quicker than looking at every byte, and a find is only made again once the
// lines have passed what it found, so a text of one kind of line end is
// never searched twice for the other.
std::vector<std::string_view> split(std::string_view text) {
    constexpr std::size_t none = std::string_view::npos;
    std::vector<std::string_view> result;
    std::size_t start = 0, cr = 0, lf = 0;
    auto next = [&](std::size_t& found, char c) {
        if (found != none && found < start)
            found = text.find(c, start);
    };
    cr = text.find('\r');
    lf = text.find('\n');
    while (start < text.size()) {
        next(cr, '\r');
        next(lf, '\n');
        std::size_t end = std::min(cr, lf);
        if (end == none)
            break;
        result.push_back(text.substr(start, end - start));
        start = end + (end == cr && lf == end + 1 ? 2 : 1);
    }
    if (start < text.size())
        result.push_back(text.substr(start));
    return result;
}

std::string_view lineAt(const std::vector<std::string_view>& lines, std::size_t index) {
    return index < lines.size() ? lines[index] : std::string_view{};
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            out += kCrLf;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view trimControls(std::string_view text) {
    auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControl(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace kestrum::lines
