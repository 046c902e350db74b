#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrum {

// Every failure the user is shown travels as this exception; its text is
// 8-bit program text (GB18030), like everything else in the core.
class KestrumError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Replaces the single "%s" of a message pattern, as the program's messages
// are written with one placeholder.
std::string formatMessage(std::string_view pattern, std::string_view argument);

[[noreturn]] void raise(std::string_view pattern, std::string_view argument);

namespace files {
inline constexpr std::string_view kCannotCreate = "Cannot create file %s";
inline constexpr std::string_view kCannotOpen = "Cannot open file %s";
} // namespace files

} // namespace kestrum
