// Names made from a text's first line: well-formed program text, one safe
// file name, never empty and never longer than 40 characters + "~1".
#include "FuzzCheck.h"
#include "text/CaptureNames.h"
#include "text/Gb18030.h"

using namespace kestrum;

namespace {
void check(const std::string& name) {
    require(!name.empty() && name != "." && name != "..", "a file name");
    require(name.find('/') == std::string::npos, "no path separator");
    for (unsigned char c : name)
        require(c > 0x20, "no blanks or control characters");
    for (std::size_t i = 0; i < name.size(); i += gb18030::characterLength(name, i))
        require(gb18030::isCharacterAt(name, i), "whole characters only");
    require(names::characterCount(name) <= 42, "bounded");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = bytesOf(data, size);
    check(names::dropCaptureName(text));
    check(names::pasteCaptureName(text));
    check(names::firstLineName(text));
    return 0;
}
