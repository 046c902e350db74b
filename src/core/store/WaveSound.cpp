#include "store/WaveSound.h"

#include <cstdint>

namespace kestrum {
namespace {

uint32_t little(std::string_view b, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(b[at + i]);
    return value;
}

} // namespace

std::optional<WaveSound> parseWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    WaveSound sound;
    bool haveFormat = false;
    // Each chunk moves the position forward, so the walk ends at the bytes' end.
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::string_view id = bytes.substr(at, 4);
        std::size_t size = little(bytes, at + 4, 4);
        std::size_t body = at + 8;
        if (size > bytes.size() - body)
            size = bytes.size() - body;
        if (id == "fmt " && size >= 16) {
            if (little(bytes, body, 2) != 1)
                return std::nullopt;
            sound.channels = static_cast<int>(little(bytes, body + 2, 2));
            sound.sampleRate = static_cast<int>(little(bytes, body + 4, 4));
            sound.bitsPerSample = static_cast<int>(little(bytes, body + 14, 2));
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            sound.samples = bytes.substr(body, size);
            bool usable = (sound.bitsPerSample == 8 || sound.bitsPerSample == 16) &&
                          sound.channels >= 1 && sound.channels <= 2 && sound.sampleRate > 0;
            return usable ? std::optional(sound) : std::nullopt;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace kestrum
