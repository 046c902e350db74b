// GB/Big5 conversion: as many bytes out as in, and in the GB direction
// every byte below 0x80 stays where it was.
#include "FuzzCheck.h"
#include "text/CVCode.h"

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view bytes = bytesOf(data, size);
    std::string big5 = cvcode::ConvertGbToBig5(bytes);
    require(big5.size() == size, "GB to Big5 keeps the length");
    for (std::size_t i = 0; i < size; ++i)
        if (static_cast<unsigned char>(bytes[i]) < 0x80)
            require(big5[i] == bytes[i], "GB to Big5 keeps ASCII");
    require(cvcode::ConvertBig5ToGb(bytes).size() == size, "Big5 to GB keeps the length");
    return 0;
}
