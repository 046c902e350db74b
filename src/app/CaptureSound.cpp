#include "CaptureSound.h"

#include "WaveSound.h"

#include <QFile>
#include <pulse/simple.h>

CaptureSound::CaptureSound(const QString& resource) {
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly))
        wave_ = file.readAll();
}

bool CaptureSound::play() const {
    auto sound = kestrum::parseWave(std::string_view(wave_.constData(), wave_.size()));
    if (!sound)
        return false;
    pa_sample_spec spec{};
    spec.format = sound->bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    spec.channels = static_cast<uint8_t>(sound->channels);
    spec.rate = static_cast<uint32_t>(sound->sampleRate);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Kestrum", PA_STREAM_PLAYBACK, nullptr, "capture",
                                      &spec, nullptr, nullptr, &error);
    if (!stream)
        return false;
    bool played =
        pa_simple_write(stream, sound->samples.data(), sound->samples.size(), &error) == 0 &&
        pa_simple_drain(stream, &error) == 0;
    pa_simple_free(stream);
    return played;
}
