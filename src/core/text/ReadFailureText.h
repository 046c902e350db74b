#pragma once

#include "base/UserFile.h"

#include <string>
#include <string_view>

namespace kestrum::files {

// What the user is told when the file at `path` could not be read.
std::string readFailureMessage(ReadFailure failure, std::string_view path);

[[noreturn]] void raiseReadFailure(ReadFailure failure, std::string_view path);

// The user's file at `path` (program text), all of it or `most` bytes from
// `offset`; raises with the message above when it cannot be read.
UserFileBytes readUserFileOrRaise(std::string_view path,
                                  std::size_t most = std::numeric_limits<std::size_t>::max(),
                                  std::uint64_t offset = 0);

} // namespace kestrum::files
