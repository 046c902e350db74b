#include "text/NativePath.h"

#include "text/Gb18030.h"

namespace kestrum::files {

std::filesystem::path nativePath(std::string_view path) {
    return std::filesystem::path(gb18030::toUtf8(path));
}

std::string programPath(const std::filesystem::path& path) {
    return gb18030::fromUtf8(path.native());
}

} // namespace kestrum::files
