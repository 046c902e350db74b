#pragma once

#include <iconv.h>
#include <string>

// glibc's GB18030 converter, the reference for the codec's tables: the
// build asks it once per code to generate them, and a test asks it again
// to check them. The running program never calls it.
namespace kestrum::gb18030 {

inline constexpr char32_t kNoCharacter = 0xFFFFFFFF;

class IconvPair {
  public:
    IconvPair()
        : decoder_(iconv_open("UTF-32LE", "GB18030")), encoder_(iconv_open("GB18030", "UTF-32LE")) {
    }
    ~IconvPair() {
        iconv_close(decoder_);
        iconv_close(encoder_);
    }
    IconvPair(const IconvPair&) = delete;
    IconvPair& operator=(const IconvPair&) = delete;

    // The code point of `bytes`, kept only when encoding it gives the same
    // bytes back: a code that is not the canonical form of its character is
    // carried escaped, so the byte round trip stays exact.
    char32_t canonicalDecode(const std::string& bytes) {
        std::string utf32 = run(decoder_, bytes);
        if (utf32.size() != 4)
            return kNoCharacter;
        char32_t cp = 0;
        for (int i = 3; i >= 0; --i)
            cp = (cp << 8) | static_cast<unsigned char>(utf32[i]);
        std::string back;
        for (int i = 0; i < 4; ++i)
            back += static_cast<char>((cp >> (8 * i)) & 0xFF);
        return run(encoder_, back) == bytes ? cp : kNoCharacter;
    }

  private:
    static std::string run(iconv_t cd, const std::string& in) {
        if (cd == reinterpret_cast<iconv_t>(-1))
            return {};
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char outBuffer[16];
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = outBuffer;
        size_t outLeft = sizeof outBuffer;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft)
            return {};
        return std::string(outBuffer, outPtr);
    }
    iconv_t decoder_;
    iconv_t encoder_;
};

// The bytes of the four-byte code with linear index `linear`.
inline std::string fourBytesOf(long linear) {
    std::string b(4, '\0');
    b[3] = static_cast<char>(0x30 + linear % 10);
    linear /= 10;
    b[2] = static_cast<char>(0x81 + linear % 126);
    linear /= 126;
    b[1] = static_cast<char>(0x30 + linear % 10);
    b[0] = static_cast<char>(0x81 + linear / 10);
    return b;
}

inline constexpr int kTrailCount = 0xFE - 0x40 + 1; // 191 second bytes per lead byte
inline constexpr int kTwoByteCount = 126 * kTrailCount;
inline constexpr int kFourByteBmpCount = 39420; // four-byte codes 81308130..8431A439

// The two-byte code at `index` (lead 0x81 + index / 191, trail 0x40 + index % 191).
inline std::string twoBytesAt(int index) {
    return {static_cast<char>(0x81 + index / kTrailCount),
            static_cast<char>(0x40 + index % kTrailCount)};
}

} // namespace kestrum::gb18030
