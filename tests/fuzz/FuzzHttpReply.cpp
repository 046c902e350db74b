// The HTTP reply parser: bounded, and when it accepts a reply, its header
// text and body are exactly the reply's bytes.
#include "FuzzCheck.h"
#include "base/Errors.h"
#include "net/HttpClient.h"

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view bytes = bytesOf(data, size);
    try {
        ParsedReply reply = parseReply(bytes);
        require(reply.header.text + reply.body == bytes, "header and body are the reply");
        require(reply.header.status >= 0 && reply.header.contentLength >= 0, "plain numbers");
    } catch (const KestrumError&) {
        // A reply past the bounds is refused with a message.
    }
    return 0;
}
