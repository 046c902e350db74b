#include "text/FolderListing.h"

#include "text/AsciiText.h"
#include "text/NativePath.h"

#include <algorithm>
#include <filesystem>

namespace kestrum {
namespace {

bool isTextFileName(const std::string& name) {
    return name.size() > 4 && name.front() != '.' &&
           lowerAscii(name.substr(name.size() - 4)) == ".txt";
}

} // namespace

std::optional<std::vector<std::string>> listTextFiles(const std::string& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator entries(files::nativePath(folder), ec);
    if (ec)
        return std::nullopt;
    // Each name with its sort key, made once rather than at every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const auto& entry : entries) {
        std::string name = files::programPath(entry.path().filename());
        if (isTextFileName(name) && entry.is_regular_file(ec))
            keyed.emplace_back(lowerAscii(name), std::move(name));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& [key, name] : keyed)
        names.push_back(std::move(name));
    return names;
}

} // namespace kestrum
