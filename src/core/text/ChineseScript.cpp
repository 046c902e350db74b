#include "text/ChineseScript.h"

#include "base/Errors.h"
#include "text/ViewedText.h"

#include <memory>
#include <mutex>
#include <opencc/opencc.h>

namespace kestrum::script {
namespace {

const opencc_t kNotOpened = reinterpret_cast<opencc_t>(-1);

struct Converter {
    opencc_t handle = kNotOpened;
    std::string failure;
    ~Converter() {
        if (handle != kNotOpened)
            opencc_close(handle);
    }
};

// Opening loads the dictionaries (tens of milliseconds): once per target
// for the program's life.
const Converter& converterFor(Target target) {
    static Converter converters[2];
    static std::once_flag opened[2];
    int index = target == Target::Traditional ? 0 : 1;
    std::call_once(opened[index], [&] {
        Converter& converter = converters[index];
        converter.handle = opencc_open(target == Target::Traditional ? "s2t.json" : "t2s.json");
        if (converter.handle == kNotOpened)
            converter.failure = opencc_error();
    });
    return converters[index];
}

} // namespace

std::string convert(std::string_view utf8, Target target) {
    if (utf8.empty())
        return {};
    // OpenCC passes many broken sequences through as they are.
    if (!isUtf8(utf8))
        throw KestrumError("The text is not UTF-8");
    const Converter& converter = converterFor(target);
    if (converter.handle == kNotOpened)
        throw KestrumError("Cannot open the simplified/traditional tables (OpenCC): " +
                           converter.failure);
    std::unique_ptr<char, void (*)(char*)> out(
        opencc_convert_utf8(converter.handle, utf8.data(), utf8.size()), opencc_convert_utf8_free);
    if (!out)
        throw KestrumError("The text is not UTF-8: " + std::string(opencc_error()));
    return out.get();
}

namespace {

// A phrase never runs across ASCII or the ideographic punctuation of
// U+3000..U+303F (E3 80 xx: 。、「」) and U+FF00..U+FF3F (EF BC xx: ，！？：；).
std::size_t afterLastBreak(std::string_view bytes) {
    for (std::size_t i = bytes.size(); i > 0; --i) {
        auto byte = static_cast<unsigned char>(bytes[i - 1]);
        if (byte < 0x80)
            return i;
        if (i >= 3 &&
            (bytes.substr(i - 3, 2) == "\xE3\x80" || bytes.substr(i - 3, 2) == "\xEF\xBC"))
            return i;
    }
    return 0;
}

// After the last whole character; zero when there is none.
std::size_t afterLastCharacter(std::string_view bytes) {
    std::size_t start = bytes.size();
    while (start > 0 && (static_cast<unsigned char>(bytes[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0)
        return 0;
    auto lead = static_cast<unsigned char>(bytes[start - 1]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return bytes.size() - (start - 1) >= length ? bytes.size() : start - 1;
}

} // namespace

std::size_t lastCut(std::string_view bytes) {
    if (std::size_t lineEnd = bytes.find_last_of('\n'); lineEnd != std::string_view::npos)
        return lineEnd + 1;
    if (std::size_t cut = afterLastBreak(bytes))
        return cut;
    return afterLastCharacter(bytes);
}

} // namespace kestrum::script
