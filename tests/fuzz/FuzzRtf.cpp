// Rich text: any input reads or is refused without a crash; a document's
// runs are never empty and never repeat the format of the run before.
#include "FuzzCheck.h"
#include "text/RtfReader.h"

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string input = "{\\rtf1" + std::string(bytesOf(data, size));
    auto document = rtf::read(input);
    if (!document)
        return 0;
    for (std::size_t i = 0; i < document->runs.size(); ++i) {
        require(!document->runs[i].text.empty(), "no empty run");
        require(i == 0 || !(document->runs[i].format == document->runs[i - 1].format),
                "neighbouring runs differ in format");
        require(document->runs[i].format.halfPoints > 0, "a size above zero");
    }
    return 0;
}
