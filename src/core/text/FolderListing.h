#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrum {

// The names of the "*.txt" files of a folder (letter case aside), sorted
// by name without regard to case; folders and hidden files are left out.
// Nothing when the folder cannot be entered.
std::optional<std::vector<std::string>> listTextFiles(const std::string& folder);

} // namespace kestrum
