// Any byte string survives the trip to UTF-16 and back unchanged.
#include "FuzzCheck.h"
#include "text/Gb18030.h"

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view bytes = bytesOf(data, size);
    require(gb18030::fromUtf16(gb18030::toUtf16(bytes)) == bytes, "UTF-16 round trip");
    std::string utf8 = gb18030::toUtf8(bytes);
    gb18030::fromUtf8(utf8);
    for (std::size_t i = 0; i < size; i += gb18030::characterLength(bytes, i))
        require(i + gb18030::characterLength(bytes, i) <= size, "character inside the text");
    return 0;
}
