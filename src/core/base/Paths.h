#pragma once

#include <string>
#include <string_view>

namespace kestrum {

// `folder` with "/" added unless it ends in one already.
inline std::string withSlash(std::string_view folder) {
    std::string result(folder);
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

} // namespace kestrum
