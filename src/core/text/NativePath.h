#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are held as program text (GB18030); names on disk are UTF-8, as the
// Linux desktop expects.
namespace kestrum::files {

std::filesystem::path nativePath(std::string_view path);
std::string programPath(const std::filesystem::path& path);

} // namespace kestrum::files
