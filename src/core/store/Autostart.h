#pragma once

#include <string>
#include <string_view>

// Starting Kestrum at login: an entry in the user's XDG autostart folder.
// Whether it is on is whether the entry is there, so it follows the
// user's own edits of that folder.
namespace kestrum::autostart {

inline constexpr std::string_view kEntryName = "org.kestrum.Kestrum.desktop";

// $XDG_CONFIG_HOME/autostart/, or ~/.config/autostart/ without it.
std::string folder(std::string_view configHome, std::string_view home);

// The entry's text, starting `executable`.
std::string entry(std::string_view executable);

bool enabled(std::string_view autostartFolder);
// Writes or removes the entry; raises when it cannot be written.
void set(std::string_view autostartFolder, std::string_view executable, bool on);

} // namespace kestrum::autostart
