#include "StandardOutput.h"

#include "base/FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

void writeOutput(std::string_view bytes) {
    if (!kestrum::files::writeAll(STDOUT_FILENO, bytes))
        throw OutputFailed(std::string("cannot write to standard output: ") + std::strerror(errno));
}
