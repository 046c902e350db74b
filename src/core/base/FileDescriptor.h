#pragma once

#include <string_view>

namespace kestrum::files {

// Owns a file descriptor; closes it once.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // False when the system reports a failure, as a delayed write error.
    bool close();

  private:
    int fd_ = -1;
};

// Writes all of `bytes` to the descriptor; false when the system refuses
// (errno tells why).
bool writeAll(int fd, std::string_view bytes);

} // namespace kestrum::files
