#include "store/FileStore.h"

#include "base/Errors.h"
#include "base/UserFile.h"
#include "text/ReadFailureText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum::files {
namespace {

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

// Makes a rename or a new name in the folder of `path` survive a crash.
void syncFolderOf(const std::filesystem::path& path) {
    auto folder = path.parent_path();
    FileDescriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

// A temporary file beside `target`, removed again unless it was published
// under its final name.
class Sibling {
  public:
    explicit Sibling(const std::filesystem::path& target)
        : path_((target.parent_path() / ("." + target.filename().native() + ".kestrum-XXXXXX"))
                    .native()),
          fd_(mkostemp(path_.data(), O_CLOEXEC)), created_(fd_.valid()) {}
    ~Sibling() {
        if (created_ && !published_)
            ::unlink(path_.c_str());
    }
    Sibling(const Sibling&) = delete;
    Sibling& operator=(const Sibling&) = delete;

    // The whole content, synced to the disk, the descriptor closed.
    bool write(std::string_view bytes, mode_t mode) {
        bool written = created_ && fchmod(fd_.get(), mode) == 0 && writeAll(fd_.get(), bytes) &&
                       ::fsync(fd_.get()) == 0;
        return fd_.close() && written;
    }
    const std::string& path() const { return path_; }
    void published() { published_ = true; }

  private:
    std::string path_;
    FileDescriptor fd_;
    bool created_;
    bool published_ = false;
};

enum class Publication { published, nameTaken, unsupported, failed };

// Gives the finished file its name unless the name is taken: an atomic
// no-replace rename where the file system has one, else a hard link.
Publication publishWithoutReplacing(const std::string& from, const std::filesystem::path& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return Publication::published;
    if (errno == EEXIST)
        return Publication::nameTaken;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return Publication::failed;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return Publication::published;
    }
    if (errno == EEXIST)
        return Publication::nameTaken;
    return errno == EPERM || errno == EOPNOTSUPP ? Publication::unsupported : Publication::failed;
}

// File systems with neither (some network and FAT mounts): the file is
// made under its name with O_EXCL, which still never replaces one.
bool createInPlace(const std::filesystem::path& native, std::string_view bytes,
                   std::string_view path) {
    FileDescriptor fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        if (errno == EEXIST)
            return false;
        raise(kCannotCreate, path);
    }
    bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written) {
        ::unlink(native.c_str());
        raise(kCannotCreate, path);
    }
    return true;
}

} // namespace

bool exists(std::string_view path) {
    struct stat info {};
    return stat(nativePath(path).c_str(), &info) == 0;
}

std::optional<std::string> tryRead(std::string_view path) {
    UserFileBytes read = readUserFile(nativePath(path).c_str());
    if (read.failure != ReadFailure::none)
        return std::nullopt;
    return std::move(read.bytes);
}

std::string load(std::string_view path) {
    return std::move(readUserFileOrRaise(path).bytes);
}

void replace(std::string_view path, std::string_view bytes, std::string_view errorPattern) {
    auto target = replacementTarget(nativePath(path));
    Sibling sibling(target);
    if (!sibling.write(bytes, modeForReplacement(target)) ||
        ::rename(sibling.path().c_str(), target.c_str()) != 0)
        raise(errorPattern, path);
    sibling.published();
    syncFolderOf(target);
}

bool createNew(std::string_view path, std::string_view bytes) {
    auto native = nativePath(path);
    Sibling sibling(native);
    if (!sibling.write(bytes, modeForReplacement(native)))
        raise(kCannotCreate, path);
    switch (publishWithoutReplacing(sibling.path(), native)) {
    case Publication::published:
        sibling.published();
        syncFolderOf(native);
        return true;
    case Publication::nameTaken:
        return false;
    case Publication::unsupported:
        return createInPlace(native, bytes, path);
    case Publication::failed:
        break;
    }
    raise(kCannotCreate, path);
}

bool isTemporarySiblingName(std::string_view name) {
    constexpr std::string_view infix = ".kestrum-";
    constexpr std::size_t randomPart = 6;
    if (name.size() < 1 + 1 + infix.size() + randomPart || name.front() != '.')
        return false;
    std::string_view tail = name.substr(name.size() - randomPart);
    bool random = std::all_of(tail.begin(), tail.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
    return random && name.substr(name.size() - randomPart - infix.size(), infix.size()) == infix;
}

int removeStaleSiblings(std::string_view folder) {
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(nativePath(folder), ec)) {
        if (!isTemporarySiblingName(entry.path().filename().native()))
            continue;
        // symlink_status: a link that carries our name is not ours to follow.
        if (entry.symlink_status(ec).type() == std::filesystem::file_type::regular &&
            ::unlink(entry.path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

void copy(std::string_view from, std::string_view to, std::string_view errorPattern) {
    auto data = tryRead(from);
    if (!data)
        raise(errorPattern, to);
    replace(to, *data, errorPattern);
}

void moveReplacing(std::string_view from, std::string_view to) {
    auto target = replacementTarget(nativePath(to));
    if (::rename(nativePath(from).c_str(), target.c_str()) == 0) {
        syncFolderOf(target);
        return;
    }
    if (errno != EXDEV)
        raise(kCannotCreate, to);
    copy(from, to, kCannotCreate);
    remove(from);
}

bool remove(std::string_view path) {
    return ::unlink(nativePath(path).c_str()) == 0;
}

} // namespace kestrum::files
