#include "window/PlatformChoice.h"

namespace kestrum::platform {
namespace {

bool set(const char* variable) {
    return variable && *variable;
}

} // namespace

std::string preferred(const char* named, const char* display, const char* waylandDisplay) {
    if (set(named))
        return {};
    if (set(display))
        return set(waylandDisplay) ? "xcb;wayland" : "xcb";
    return set(waylandDisplay) ? "wayland" : "";
}

} // namespace kestrum::platform
