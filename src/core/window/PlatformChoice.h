#pragma once

#include <string>

// Which windowing platform Kestrum asks Qt for.
namespace kestrum::platform {

// The platform to ask for when the user named none (`named` is
// QT_QPA_PLATFORM, the others the display variables; null or empty for
// unset): X11 where DISPLAY is set (on a Wayland desktop that is XWayland,
// where the drop window learns its place and X11 programs' drops reach
// it), native Wayland where only WAYLAND_DISPLAY is set. Naming only the
// platform that is there keeps Qt from trying another one first and
// warning about it. Empty: leave the choice as it is.
std::string preferred(const char* named, const char* display, const char* waylandDisplay);

} // namespace kestrum::platform
