#include "base/Errors.h"

namespace kestrum {

std::string formatMessage(std::string_view pattern, std::string_view argument) {
    std::string text(pattern);
    if (auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

void raise(std::string_view pattern, std::string_view argument) {
    throw KestrumError(formatMessage(pattern, argument));
}

} // namespace kestrum
