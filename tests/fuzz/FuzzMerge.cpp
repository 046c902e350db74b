// The merge's line copy: the same result however the input is cut into
// blocks, nothing from the first Ctrl+Z on, and every CR followed by LF.
#include "FuzzCheck.h"
#include "text/MergeCopy.h"

using namespace kestrum;

namespace {
std::string copied(std::string_view input, std::size_t block) {
    merge::LineCopy copy;
    std::string out;
    for (std::size_t at = 0; at < input.size(); at += block)
        copy.feed(input.substr(at, block), out);
    copy.finish(out);
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    std::string_view input = bytesOf(data + 1, size - 1);
    std::string whole = copied(input, input.size() + 1);
    require(copied(input, 1 + data[0] % 16) == whole, "block sizes do not matter");
    require(whole.find('\x1A') == std::string::npos, "nothing after Ctrl+Z");
    for (std::size_t i = 0; i < whole.size(); ++i)
        if (whole[i] == '\r')
            require(i + 1 < whole.size() && whole[i + 1] == '\n', "CR is always CR LF");
    require(whole.empty() || (whole.size() >= 2 && whole.substr(whole.size() - 2) == "\r\n"),
            "the copy ends with a line end");
    return 0;
}
