// Reflow: no line longer than the width unless it is one character, and the
// text's bytes apart from line breaks unchanged and in order.
#include "FuzzCheck.h"
#include "text/Gb18030.h"
#include "text/Reflow.h"
#include "text/TextLines.h"

using namespace kestrum;

namespace {
std::string withoutBreaks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    int width = 1 + data[0] % 80;
    std::string_view text = bytesOf(data + 1, size - 1);
    std::string result = reflow::run(text, width);
    for (auto line : lines::split(result))
        require(line.size() <= static_cast<std::size_t>(width) ||
                    gb18030::characterLength(line, 0) == line.size(),
                "no line longer than the width");
    require(withoutBreaks(result) == withoutBreaks(text), "only line breaks change");
    return 0;
}
