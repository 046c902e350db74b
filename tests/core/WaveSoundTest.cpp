#include "store/WaveSound.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {
std::string le(uint32_t v, int size) {
    std::string s;
    for (int i = 0; i < size; ++i)
        s += static_cast<char>(v >> (8 * i));
    return s;
}
std::string wave(uint16_t format, const std::string& extraChunk, const std::string& data) {
    std::string fmt = le(format, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2);
    std::string body = "WAVE" + extraChunk + "fmt " + le(16, 4) + fmt + "data" +
                       le(static_cast<uint32_t>(data.size()), 4) + data;
    return "RIFF" + le(static_cast<uint32_t>(body.size()), 4) + body;
}
} // namespace

TEST(WaveSound, ReadsPcmFormatAndSamplesPastOtherChunks) {
    std::string bytes =
        wave(1, "LIST" + le(3, 4) + "abc" + std::string(1, '\0'), "\x01\x02\x03\x04");
    auto sound = parseWave(bytes);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->sampleRate, 22050);
    EXPECT_EQ(sound->bitsPerSample, 16);
    EXPECT_EQ(sound->samples, "\x01\x02\x03\x04");
}

TEST(WaveSound, RefusesCompressedTruncatedAndForeignData) {
    EXPECT_FALSE(parseWave(wave(3, "", "abcd")));
    EXPECT_FALSE(parseWave("RIFF\x10\0\0\0WAVEfmt "));
    EXPECT_FALSE(parseWave("not a wave file at all"));
    std::string huge = wave(1, "", "ab");
    huge.replace(huge.size() - 6, 4, le(0xFFFFFFF0, 4)); // a data size past the end
    ASSERT_TRUE(parseWave(huge));
    EXPECT_EQ(parseWave(huge)->samples, "ab");
}
