#pragma once

#include "base/FileDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <limits>
#include <string>
#include <sys/types.h>

// The one way a file the user names or drops in a folder is read: the open
// never waits (a FIFO or a device in place of a file would hold the window
// forever), only a regular file is read, and reads come in bounded blocks.
// Links are followed, as a user may keep a file elsewhere and link it in;
// what the link reaches must still be a regular file.
namespace kestrum::files {

enum class ReadFailure {
    none,
    cannotOpen, // missing, no permission, or the read itself failed
    notRegular, // a FIFO, a device, a socket or a folder
};

class UserFile {
  public:
    // `name` as openat takes it: relative to the open folder `folder`, or
    // to the working folder / absolute with AT_FDCWD.
    UserFile(int folder, const char* name);
    explicit UserFile(const char* path) : UserFile(AT_FDCWD, path) {}

    ReadFailure failure() const { return failure_; }
    bool isOpen() const { return failure_ == ReadFailure::none; }
    int fd() const { return fd_.get(); }
    std::uint64_t size() const { return size_; } // when it was opened

    // Up to `most` bytes, at most one block; 0 at the end, -1 on an error.
    ssize_t read(char* into, std::size_t most);

  private:
    FileDescriptor fd_;
    ReadFailure failure_ = ReadFailure::none;
    std::uint64_t size_ = 0;
};

struct UserFileBytes {
    std::string bytes;
    bool whole = false; // false when the file holds more than was asked for
    ReadFailure failure = ReadFailure::none;
};

inline constexpr std::size_t kReadBlock = 1 << 20;

// `most` bytes of the file at `path` from `offset` on (all of it by default).
UserFileBytes readUserFile(const char* path,
                           std::size_t most = std::numeric_limits<std::size_t>::max(),
                           std::uint64_t offset = 0);

} // namespace kestrum::files
