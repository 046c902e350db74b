#pragma once

#include <optional>
#include <string_view>

namespace kestrum {

// The PCM content of a RIFF WAVE file, as a sound service needs it.
struct WaveSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::string_view samples; // points into the parsed bytes
};

// Nothing for anything but uncompressed 8- or 16-bit PCM.
std::optional<WaveSound> parseWave(std::string_view bytes);

} // namespace kestrum
