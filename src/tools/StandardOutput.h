#pragma once

#include <stdexcept>
#include <string_view>

// The tool's standard output, every write checked: a full disk, or a reader
// gone while SIGPIPE is ignored (EPIPE), raises OutputFailed, so no command
// passes a lost result over as success.
class OutputFailed : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

void writeOutput(std::string_view bytes);
