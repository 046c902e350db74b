#include "store/FileStore.h"

#include "base/Errors.h"
#include "text/Gb18030.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum::files {
namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

std::optional<std::string> readAll(int fd) {
    std::string data;
    struct stat info {};
    if (fstat(fd, &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return std::nullopt;
        if (S_ISREG(info.st_mode))
            data.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return data;
        data.append(buffer, static_cast<std::size_t>(n));
    }
}

// A link is written through, so a settings file kept elsewhere stays linked.
std::filesystem::path replacementTarget(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            return resolved;
    }
    return path;
}

mode_t modeForReplacement(const std::filesystem::path& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::filesystem::path nativePath(std::string_view path) {
    return std::filesystem::path(gb18030::toUtf8(path));
}

std::string programPath(const std::filesystem::path& path) {
    return gb18030::fromUtf8(path.native());
}

bool exists(std::string_view path) {
    struct stat info {};
    return stat(nativePath(path).c_str(), &info) == 0;
}

std::optional<std::string> tryRead(std::string_view path) {
    FileDescriptor fd(::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return std::nullopt;
    return readAll(fd.get());
}

std::string load(std::string_view path) {
    auto data = tryRead(path);
    if (!data)
        raise(kCannotOpen, path);
    return *std::move(data);
}

void replace(std::string_view path, std::string_view bytes, std::string_view errorPattern) {
    auto target = replacementTarget(nativePath(path));
    std::string temporary =
        (target.parent_path() / ("." + target.filename().native() + ".XXXXXX")).native();
    FileDescriptor fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid())
        raise(errorPattern, path);
    bool written = fchmod(fd.get(), modeForReplacement(target)) == 0 && writeAll(fd.get(), bytes);
    written = fd.close() && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        raise(errorPattern, path);
    }
}

bool createNew(std::string_view path, std::string_view bytes) {
    auto native = nativePath(path);
    FileDescriptor fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        if (errno == EEXIST)
            return false;
        raise(kCannotCreate, path);
    }
    bool written = writeAll(fd.get(), bytes);
    if (!fd.close() || !written) {
        ::unlink(native.c_str());
        raise(kCannotCreate, path);
    }
    return true;
}

void copy(std::string_view from, std::string_view to, std::string_view errorPattern) {
    auto data = tryRead(from);
    if (!data)
        raise(errorPattern, to);
    replace(to, *data, errorPattern);
}

bool remove(std::string_view path) {
    return ::unlink(nativePath(path).c_str()) == 0;
}

} // namespace kestrum::files
