#include "net/InstanceSocket.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kestrum::instance {
namespace {

// A leading NUL puts the name in the abstract namespace.
socklen_t addressOf(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

bool sameUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// FNV-1a: stable across builds, so every build of the program agrees.
uint64_t fingerprint(std::string_view text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

} // namespace

std::string socketName(std::string_view folder, unsigned userId) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fingerprint(folder)));
    return "kestrum-" + std::to_string(userId) + "-" + hex;
}

bool askRunning(const std::string& name) {
    int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    sockaddr_un address;
    socklen_t length = addressOf(name, address);
    bool asked = ::connect(socket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                 sameUser(socket) && ::send(socket, "show\n", 5, MSG_NOSIGNAL) == 5;
    ::close(socket);
    return asked;
}

int listen(const std::string& name) {
    int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return -1;
    sockaddr_un address;
    socklen_t length = addressOf(name, address);
    if (::bind(socket, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(socket, 8) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

bool acceptStart(int listener) {
    int peer = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (peer < 0)
        return false;
    bool ours = sameUser(peer);
    ::close(peer);
    return ours;
}

void close(int listener) {
    if (listener >= 0)
        ::close(listener);
}

} // namespace kestrum::instance
