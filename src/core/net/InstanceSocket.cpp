#include "net/InstanceSocket.h"

#include "base/Paths.h"
#include "text/NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
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

constexpr std::string_view kShow = "show";
constexpr std::size_t kLongestToken = 255;

// Tokens are opaque to us, but they travel in a line: printable ASCII
// without spaces, of a bounded length.
bool validToken(std::string_view token) {
    if (token.empty() || token.size() > kLongestToken)
        return false;
    for (char c : token)
        if (c <= ' ' || c > '~')
            return false;
    return true;
}

std::string requestLine(std::string_view activationToken) {
    std::string line(kShow);
    if (validToken(activationToken))
        line.append(" ").append(activationToken);
    return line + "\n";
}

// What a start sent, up to its first line end, bounded in time and size.
std::string receivedWords(int socket, std::chrono::milliseconds patience) {
    using namespace std::chrono;
    std::string words;
    auto until = steady_clock::now() + patience;
    char buffer[128];
    while (words.size() <= kLongestToken + kShow.size() + 2 &&
           words.find('\n') == std::string::npos) {
        auto left = duration_cast<milliseconds>(until - steady_clock::now()).count();
        pollfd waiting{socket, POLLIN, 0};
        if (left <= 0 || ::poll(&waiting, 1, static_cast<int>(left)) != 1)
            break;
        ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        words.append(buffer, static_cast<std::size_t>(got));
    }
    return words;
}

// The token of a whole "show TOKEN" line; empty for anything else.
std::string tokenIn(std::string_view words) {
    auto end = words.find('\n');
    std::string_view prefix = "show ";
    if (end == std::string_view::npos || !words.starts_with(prefix))
        return {};
    auto token = words.substr(prefix.size(), end - prefix.size());
    return validToken(token) ? std::string(token) : std::string();
}

} // namespace

std::string socketPath(std::string_view folder) {
    return files::nativePath(withSlash(folder) + "instance.socket").native();
}

// The connection itself is the request: the first shows its editor even
// without the words, and may close before they arrive.
bool askRunning(const std::string& socket, std::string_view activationToken) {
    sockaddr_un address;
    files::FileDescriptor client(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!client.valid() || !addressOf(socket, address) ||
        ::connect(client.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        !sameUser(client.get()))
        return false;
    std::string line = requestLine(activationToken);
    ::send(client.get(), line.data(), line.size(), MSG_NOSIGNAL);
    return true;
}

Start start(std::string_view folder, std::chrono::milliseconds patience,
            std::string_view activationToken) {
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
    while (!(start.askedRunning = askRunning(socketPath(folder), activationToken)) &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return start;
}

std::optional<ShowRequest> acceptStart(int listener, std::chrono::milliseconds patience) {
    files::FileDescriptor peer(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
    if (!peer.valid() || !sameUser(peer.get()))
        return std::nullopt;
    return ShowRequest{tokenIn(receivedWords(peer.get(), patience))};
}

} // namespace kestrum::instance
