#include "store/FolderListing.h"

#include "store/FileStore.h"
#include "text/AsciiText.h"

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
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        std::string name = files::programPath(entry.path().filename());
        if (isTextFileName(name) && entry.is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lowerAscii(a) < lowerAscii(b);
    });
    return names;
}

} // namespace kestrum
