#include "store/DraftFile.h"

#include "text/NativePath.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kestrum::files {
namespace {

constexpr std::string_view kInfix = ".kestrum-tmp-";
constexpr std::size_t kRandomLength = 12;

std::string randomPart() {
    static constexpr std::string_view letters =
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string part(kRandomLength, '0');
    for (char& c : part)
        c = letters[pick(device)];
    return part;
}

void mark(int fd) {
    // A file system without extended attributes keeps the name only: such a
    // leftover is never swept, which is the safe side.
    ::fsetxattr(fd, kTemporaryMark, "1", 1, 0);
}

bool isOurLeftover(int folder, const char* name) {
    FileDescriptor fd(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    return fd.valid() && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_uid == ::geteuid() && ::fgetxattr(fd.get(), kTemporaryMark, nullptr, 0) >= 0;
}

} // namespace

DraftFile::DraftFile(const std::filesystem::path& target)
    : folder_(target.parent_path().empty() ? "." : target.parent_path()),
      fileName_(target.filename()),
      fd_(::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)) {
    if (!fd_.valid())
        takeTemporaryName(); // no unnamed files here: a named one from the start
}

DraftFile::~DraftFile() {
    if (!temporary_.empty() && !published_)
        ::unlink(temporary_.c_str());
}

bool DraftFile::write(std::string_view bytes, mode_t mode) {
    return fd_.valid() && ::fchmod(fd_.get(), mode) == 0 && writeAll(fd_.get(), bytes) &&
           ::fsync(fd_.get()) == 0;
}

// An unnamed file gets its name through /proc, or with AT_EMPTY_PATH where
// /proc is not mounted.
bool DraftFile::linkAs(const std::filesystem::path& name) {
    std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    return errno == ENOENT && ::linkat(fd_.get(), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

bool DraftFile::takeTemporaryName() {
    for (int attempt = 0; attempt < 8; ++attempt) {
        auto name = folder_ / ("." + fileName_.native() + std::string(kInfix) + randomPart());
        bool named = false;
        if (fd_.valid()) {
            mark(fd_.get()); // before the name appears
            named = linkAs(name);
        } else {
            fd_ = FileDescriptor(
                ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
            named = fd_.valid();
            if (named)
                mark(fd_.get());
        }
        if (named) {
            temporary_ = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// The published file is the user's: it keeps no mark.
void DraftFile::published() {
    published_ = true;
    ::fremovexattr(fd_.get(), kTemporaryMark);
}

Publication DraftFile::publishAsNew(const std::filesystem::path& to) {
    if (temporary_.empty()) {
        if (linkAs(to)) {
            published();
            return Publication::published;
        }
        return errno == EEXIST                     ? Publication::nameTaken
               : errno == EPERM || errno == ENOSYS ? Publication::unsupported
                                                   : Publication::failed;
    }
    // A named draft: an atomic no-replace rename where the file system has
    // one, else a hard link.
    if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        published();
        return Publication::published;
    }
    if (errno == EEXIST)
        return Publication::nameTaken;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return Publication::failed;
    if (::link(temporary_.c_str(), to.c_str()) == 0) {
        ::unlink(temporary_.c_str());
        published();
        return Publication::published;
    }
    if (errno == EEXIST)
        return Publication::nameTaken;
    return errno == EPERM || errno == EOPNOTSUPP ? Publication::unsupported : Publication::failed;
}

bool DraftFile::publishOver(const std::filesystem::path& to) {
    if ((temporary_.empty() && !takeTemporaryName()) ||
        ::rename(temporary_.c_str(), to.c_str()) != 0)
        return false;
    published();
    return true;
}

bool isTemporarySiblingName(std::string_view name) {
    if (name.size() < 2 + kInfix.size() + kRandomLength || name.front() != '.')
        return false;
    std::string_view tail = name.substr(name.size() - kRandomLength);
    bool random = std::all_of(tail.begin(), tail.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
    return random &&
           name.substr(name.size() - kRandomLength - kInfix.size(), kInfix.size()) == kInfix;
}

int removeStaleSiblings(std::string_view folder) {
    auto native = nativePath(folder);
    FileDescriptor folderFd(::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.valid())
        return 0;
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(native, ec)) {
        std::string name = entry.path().filename().native();
        if (isTemporarySiblingName(name) && isOurLeftover(folderFd.get(), name.c_str()) &&
            ::unlinkat(folderFd.get(), name.c_str(), 0) == 0)
            ++removed;
    }
    return removed;
}

} // namespace kestrum::files
