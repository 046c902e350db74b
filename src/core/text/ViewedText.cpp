#include "text/ViewedText.h"

#include "text/Gb18030.h"
#include "text/ReadFailureText.h"
#include "text/RtfReader.h"

#include <algorithm>

namespace kestrum {

bool isUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length = c >= 0xC2 && c <= 0xDF   ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
        if (length == 0 || end - p < length)
            return false;
        // The second byte's range rules out overlong forms, surrogates and
        // code points past U+10FFFF.
        unsigned char low = 0x80, high = 0xBF;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
        else if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += length;
    }
    return true;
}

TextKind kindOfText(std::string_view bytes) {
    if (rtf::looksLikeRtf(bytes))
        return TextKind::Rtf;
    return !gb18030::isPlainAscii(bytes) && isUtf8(bytes) ? TextKind::Utf8 : TextKind::ProgramText;
}

ViewedPart readViewedPart(std::string_view path, std::uint64_t offset, std::size_t most) {
    files::UserFileBytes read = files::readUserFileOrRaise(path, most, offset);
    ViewedPart part{std::move(read.bytes), offset, !read.whole};
    if (part.more)
        if (std::size_t lineEnd = part.bytes.find_last_of('\n'); lineEnd != std::string::npos)
            part.bytes.resize(lineEnd + 1);
    part.next = offset + part.bytes.size();
    return part;
}

} // namespace kestrum
