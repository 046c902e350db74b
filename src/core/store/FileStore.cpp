#include "store/FileStore.h"

#include "base/Errors.h"
#include "base/UserFile.h"
#include "store/DraftFile.h"
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
    DraftFile draft(target);
    if (!draft.write(bytes, modeForReplacement(target)) || !draft.publishOver(target))
        raise(errorPattern, path);
    syncFolderOf(target);
}

bool createNew(std::string_view path, std::string_view bytes) {
    auto native = nativePath(path);
    DraftFile draft(native);
    if (!draft.write(bytes, modeForReplacement(native)))
        raise(kCannotCreate, path);
    switch (draft.publishAsNew(native)) {
    case Publication::published:
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
