#pragma once

#include <optional>
#include <string>
#include <string_view>

// The captures of the crash test: each names itself in its first line
// ("cap" R "x" C, which is also its capture name) and its length in its
// last, so a file can be checked whole without knowing which it holds.
namespace crash {

inline const std::string kCategory = "notes";

inline std::size_t fillerLength(int run, int capture) {
    unsigned h = static_cast<unsigned>(run) * 2654435761u ^ static_cast<unsigned>(capture) * 40503u;
    return 1000 + h % 400000;
}

inline std::string captureName(int run, int capture) {
    return "cap" + std::to_string(run) + "x" + std::to_string(capture);
}

inline std::string captureText(int run, int capture) {
    std::size_t length = fillerLength(run, capture);
    return captureName(run, capture) + "\r\n" + std::string(length, 'f') + "\r\nend" +
           std::to_string(length);
}

// The run and capture whose whole text stands at the start of `bytes`.
inline std::optional<std::pair<int, int>> wholeCaptureAt(std::string_view bytes) {
    int run = 0, capture = 0;
    if (std::sscanf(std::string(bytes.substr(0, 32)).c_str(), "cap%dx%d", &run, &capture) != 2)
        return std::nullopt;
    std::string text = captureText(run, capture);
    if (bytes.substr(0, text.size()) != text)
        return std::nullopt;
    return std::pair{run, capture};
}

} // namespace crash
