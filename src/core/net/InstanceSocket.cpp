#include "net/InstanceSocket.h"

#include "base/Paths.h"
#include "text/NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace kestrum::instance {
namespace {

// False when the path does not fit in an address.
bool addressOf(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

bool sameUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// The lock is held: whatever socket file is there was left by a run that
// ended without removing it, and goes.
files::FileDescriptor listenAt(const std::string& socket) {
    sockaddr_un address;
    files::FileDescriptor listener(
        ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener.valid() || !addressOf(socket, address))
        return {};
    struct stat info {};
    if (::lstat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
        ::unlink(socket.c_str());
    if (::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener.get(), 8) != 0)
        return {};
    return listener;
}

} // namespace

std::string socketPath(std::string_view folder) {
    return files::nativePath(withSlash(folder) + "instance.socket").native();
}

// The connection itself is the request: the first accepts it and shows its
// editor without reading, and may close before the words arrive.
bool askRunning(const std::string& socket) {
    sockaddr_un address;
    files::FileDescriptor client(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!client.valid() || !addressOf(socket, address) ||
        ::connect(client.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        !sameUser(client.get()))
        return false;
    ::send(client.get(), "show\n", 5, MSG_NOSIGNAL);
    return true;
}

Start start(std::string_view folder, std::chrono::milliseconds patience) {
    Start start;
    files::FileDescriptor lock(
        ::open(files::nativePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!lock.valid())
        return start;
    if (::flock(lock.get(), LOCK_EX | LOCK_NB) == 0) {
        start.listener = listenAt(socketPath(folder));
        start.lock = std::move(lock);
        return start;
    }
    // The holder may not listen yet: it takes the lock first.
    auto until = std::chrono::steady_clock::now() + patience;
    while (!(start.askedRunning = askRunning(socketPath(folder))) &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return start;
}

bool acceptStart(int listener) {
    files::FileDescriptor peer(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
    return peer.valid() && sameUser(peer.get());
}

} // namespace kestrum::instance
