#include "base/UserFile.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum::files {

UserFile::UserFile(int folder, const char* name)
    : fd_(::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    struct stat info {};
    if (!fd_.valid() || ::fstat(fd_.get(), &info) != 0) {
        failure_ = ReadFailure::cannotOpen;
    } else if (!S_ISREG(info.st_mode)) {
        failure_ = ReadFailure::notRegular;
    } else {
        // Regular files never block; clearing the flag keeps reads plain
        // on file systems that treat it otherwise.
        int flags = ::fcntl(fd_.get(), F_GETFL);
        if (flags < 0 || ::fcntl(fd_.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
            failure_ = ReadFailure::cannotOpen;
        size_ = static_cast<std::uint64_t>(info.st_size);
    }
    if (failure_ != ReadFailure::none)
        fd_.close();
}

ssize_t UserFile::read(char* into, std::size_t most) {
    if (!isOpen())
        return -1;
    for (;;) {
        ssize_t n = ::read(fd_.get(), into, std::min(most, kReadBlock));
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

UserFileBytes readUserFile(const char* path, std::size_t most, std::uint64_t offset) {
    UserFileBytes result;
    UserFile file(path);
    result.failure = file.failure();
    if (file.isOpen() && ::lseek(file.fd(), static_cast<off_t>(offset), SEEK_SET) < 0)
        result.failure = ReadFailure::cannotOpen;
    if (result.failure != ReadFailure::none)
        return result;
    // The size is a hint only: the file may grow or shrink while it is read.
    std::uint64_t left = file.size() > offset ? file.size() - offset : 0;
    result.bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(left, most)));
    std::string& bytes = result.bytes;
    for (;;) {
        std::size_t room = std::min(most - bytes.size(), kReadBlock);
        if (room == 0) {
            char probe;
            result.whole = file.read(&probe, 1) == 0;
            return result;
        }
        std::size_t held = bytes.size();
        bytes.resize(held + room);
        ssize_t n = file.read(bytes.data() + held, room);
        bytes.resize(held + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0) {
            result.failure = ReadFailure::cannotOpen;
            return result;
        }
        if (n == 0) {
            result.whole = true;
            return result;
        }
    }
}

} // namespace kestrum::files
