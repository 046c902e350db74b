#include "CaptureSound.h"

#include "store/WaveSound.h"

#include <QFile>
#include <dlfcn.h>
#include <pulse/simple.h>

namespace {

// The sound library is loaded at the first capture, not at start-up: most
// of a run never needs it, and it brings a dozen libraries of its own.
struct PulseSimple {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_free) close = nullptr;

    static const PulseSimple& get() {
        static const PulseSimple library = [] {
            PulseSimple l;
            void* handle = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
            if (!handle)
                return l;
            l.open = reinterpret_cast<decltype(&pa_simple_new)>(dlsym(handle, "pa_simple_new"));
            l.write =
                reinterpret_cast<decltype(&pa_simple_write)>(dlsym(handle, "pa_simple_write"));
            l.drain =
                reinterpret_cast<decltype(&pa_simple_drain)>(dlsym(handle, "pa_simple_drain"));
            l.close = reinterpret_cast<decltype(&pa_simple_free)>(dlsym(handle, "pa_simple_free"));
            return l;
        }();
        return library;
    }
    bool usable() const { return open && write && drain && close; }
};

} // namespace

CaptureSound::CaptureSound(const QString& resource) {
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly))
        wave_ = file.readAll();
}

bool CaptureSound::play() const {
    auto sound = kestrum::parseWave(std::string_view(wave_.constData(), wave_.size()));
    const PulseSimple& pulse = PulseSimple::get();
    if (!sound || !pulse.usable())
        return false;
    pa_sample_spec sampleFormat{};
    sampleFormat.format = sound->bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    sampleFormat.channels = static_cast<uint8_t>(sound->channels);
    sampleFormat.rate = static_cast<uint32_t>(sound->sampleRate);
    int error = 0;
    pa_simple* stream = pulse.open(nullptr, "Kestrum", PA_STREAM_PLAYBACK, nullptr, "capture",
                                   &sampleFormat, nullptr, nullptr, &error);
    if (!stream)
        return false;
    bool played = pulse.write(stream, sound->samples.data(), sound->samples.size(), &error) == 0 &&
                  pulse.drain(stream, &error) == 0;
    pulse.close(stream);
    return played;
}
