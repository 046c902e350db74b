#include "net/SocketClient.h"

#include "base/Errors.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kestrum {
namespace {

constexpr auto kWaitStep = std::chrono::milliseconds(2);
constexpr int kPollMilliseconds = 2;

const std::map<int, const char*>& errorDescriptions() {
    static const std::map<int, const char*> table = {
        {10004, "Interrupted system call"},
        {10009, "Bad file number"},
        {10013, "Permission denied"},
        {10014, "Bad address"},
        {10022, "Invalid argument"},
        {10024, "Too many open files"},
        {10035, "Operation would block"},
        {10036, "Operation now in progress"},
        {10037, "Operation already in progress"},
        {10038, "Socket operation on non-socket"},
        {10039, "Destination address required"},
        {10040, "Message too long"},
        {10041, "Wrong protocol type for socket"},
        {10042, "Bad protocol option"},
        {10043, "Protocol not supported"},
        {10044, "Socket type not supported"},
        {10045, "Operation not supported on socket"},
        {10046, "Protocol family not supported"},
        {10047, "Address family not supported by protocol family"},
        {10048, "Address already in use"},
        {10049, "Can't assign requested address"},
        {10050, "Network is down"},
        {10051, "Network is unreachable"},
        {10052, "Network dropped connection or reset"},
        {10053, "Software caused connection abort"},
        {10054, "Connection reset by peer"},
        {10055, "No buffer space available"},
        {10056, "Socket is already connected"},
        {10057, "Socket is not connected"},
        {10058, "Can't send after socket shutdown"},
        {10059, "Too many references, can't splice"},
        {10060, "Connection timed out"},
        {10061, "Connection refused"},
        {10062, "Too many levels of symbolic links"},
        {10063, "File name too long"},
        {10064, "Host is down"},
        {10065, "No route to Host"},
        {10066, "Directory not empty"},
        {10067, "Too many processes"},
        {10068, "Too many users"},
        {10069, "Disc quota exceeded"},
        {10070, "Stale NFS file handle"},
        {10071, "Too many levels of remote in path"},
        {10091, "Network subsystem is unavailable"},
        {10092, "Incompatible version of WINSOCK.DLL"},
        {10093, "Successful WSAStartup not yet performed"},
        {11001, "Host not found"},
        {11002, "Non-Authoritative Host not found"},
        {11003, "Non-Recoverable error: FORMERR, REFUSED, NOTIMP"},
        {11004, "Valid name, no data record of requested type"},
    };
    return table;
}

[[noreturn]] void raiseSocketError(int systemError) {
    throw KestrumError(socketErrorText(socketErrorNumber(systemError)));
}

} // namespace

std::string socketErrorText(int number) {
    auto found = errorDescriptions().find(number);
    if (found == errorDescriptions().end())
        return "Unknown Error No. " + std::to_string(number);
    return std::to_string(number) + ":" + found->second;
}

int socketErrorNumber(int e) {
    static const std::map<int, int> numbers = {
        {EINTR, 10004},           {EBADF, 10009},        {EACCES, 10013},
        {EFAULT, 10014},          {EINVAL, 10022},       {EMFILE, 10024},
        {EWOULDBLOCK, 10035},     {EINPROGRESS, 10036},  {EALREADY, 10037},
        {ENOTSOCK, 10038},        {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},
        {EPROTOTYPE, 10041},      {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043},
        {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},
        {EAFNOSUPPORT, 10047},    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},
        {ENETDOWN, 10050},        {ENETUNREACH, 10051},  {ENETRESET, 10052},
        {ECONNABORTED, 10053},    {ECONNRESET, 10054},   {ENOBUFS, 10055},
        {EISCONN, 10056},         {ENOTCONN, 10057},     {ESHUTDOWN, 10058},
        {ETOOMANYREFS, 10059},    {ETIMEDOUT, 10060},    {ECONNREFUSED, 10061},
        {ELOOP, 10062},           {ENAMETOOLONG, 10063}, {EHOSTDOWN, 10064},
        {EHOSTUNREACH, 10065},    {ENOTEMPTY, 10066},    {EUSERS, 10068},
        {EDQUOT, 10069},          {ESTALE, 10070},       {EREMOTE, 10071},
        {EPIPE, 10058},
    };
    auto found = numbers.find(e);
    return found != numbers.end() ? found->second : e;
}

// The lookup runs on its own thread and outlives a wait that gave up on
// it, so its result lives in shared state.
struct TSocketClient::Lookup {
    std::atomic<bool> done{false};
    bool found = false;
    std::string address;
};

TSocketClient::TSocketClient() {
    report(8, "Create");
}

TSocketClient::~TSocketClient() {
    canceled_ = true;
    if (socket_ >= 0)
        ::close(socket_);
}

void TSocketClient::report(int level, const std::string& text) {
    if (ReportLevel < level)
        return;
    status_ = text;
    if (OnStatus)
        OnStatus(*this, text);
}

void TSocketClient::pump() {
    if (Pump)
        Pump();
}

void TSocketClient::startTimer() {
    if (TimeOut > 0) {
        report(8, "Timer On");
        deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeOut);
    }
}

bool TSocketClient::timerFired() {
    if (TimeOut > 0 && !timedOut_ && std::chrono::steady_clock::now() >= deadline_) {
        report(8, "Timer Triggered");
        timedOut_ = true;
        Cancel();
    }
    return canceled_;
}

void TSocketClient::Cancel() {
    report(8, "Canceling");
    canceled_ = true;
}

std::string TSocketClient::lookUp(const std::string& host) {
    report(8, "Resolve Host");
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* result = nullptr;
        if (getaddrinfo(host.c_str(), nullptr, &hints, &result) == 0 && result) {
            char text[INET_ADDRSTRLEN];
            auto* in = reinterpret_cast<sockaddr_in*>(result->ai_addr);
            lookup->address = inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
            lookup->found = true;
            freeaddrinfo(result);
        }
        lookup->done = true;
    }).detach();
    startTimer();
    while (!lookup->done && !timerFired()) {
        pump();
        std::this_thread::sleep_for(kWaitStep);
    }
    if (timedOut_)
        throw KestrumError("Host Lookup Timed Out");
    if (canceled_)
        throw KestrumError("Host Lookup Canceled");
    if (!lookup->found) {
        report(8, "Host Lookup Failed");
        return {};
    }
    if (OnHostResolved)
        OnHostResolved(*this);
    return lookup->address;
}

std::string TSocketClient::resolve(const std::string& host) {
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1)
        return host;
    return lookUp(host);
}

void TSocketClient::Connect() {
    report(8, "Connecting");
    canceled_ = timedOut_ = false;
    if (connected_)
        throw KestrumError("Already connected");
    bool viaProxy = !proxyHost().empty();
    std::string address = resolve(viaProxy ? proxyHost() : Host);
    if (address.empty()) {
        bool handled = false;
        if (OnInvalidHost)
            OnInvalidHost(*this, handled);
        if (handled)
            address = resolve(viaProxy ? proxyHost() : Host);
        if (address.empty())
            throw KestrumError("Null Remote Address");
    }
    if (socket_ >= 0)
        ::close(socket_); // left by an attempt that failed
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (socket_ < 0)
        throw KestrumError("Initializaton of windows sockets failed");
    linger dropAtClose{1, 0};
    setsockopt(socket_, SOL_SOCKET, SO_LINGER, &dropAtClose, sizeof dropAtClose);
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<uint16_t>(viaProxy ? proxyPort() : Port));
    inet_pton(AF_INET, address.c_str(), &remote.sin_addr);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0 &&
        errno != EINPROGRESS)
        raiseSocketError(errno);
    waitForConnection();
}

void TSocketClient::waitForConnection() {
    startTimer();
    int failure = 0;
    while (!connected_ && !failure && !timerFired()) {
        pollfd target{socket_, POLLOUT, 0};
        if (::poll(&target, 1, 0) > 0) {
            socklen_t size = sizeof failure;
            getsockopt(socket_, SOL_SOCKET, SO_ERROR, &failure, &size);
            connected_ = failure == 0;
            lastError_ = failure ? socketErrorNumber(failure) : 0;
            continue;
        }
        pump();
        std::this_thread::sleep_for(kWaitStep);
    }
    if (!connected_) {
        if (OnConnectionFailed)
            OnConnectionFailed(*this);
        throw KestrumError(timedOut_   ? "Connection Timed out"
                           : canceled_ ? "Connection Canceled"
                                       : "Connection Failed");
    }
    if (OnConnect)
        OnConnect(*this);
}

void TSocketClient::Disconnect() {
    report(8, "Disconnecting");
    report(4, "Request Close Socket");
    connected_ = false;
    received_.clear();
    int fd = socket_;
    socket_ = -1;
    if (fd >= 0 && ::close(fd) != 0)
        raiseSocketError(errno);
    if (OnDisconnect)
        OnDisconnect(*this);
}

void TSocketClient::Write(std::string_view bytes) {
    report(8, "Write");
    report(4, "Sending Buffer");
    startTimer();
    while (!bytes.empty()) {
        ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent == 0)
            return;
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            raiseSocketError(errno);
        pollfd target{socket_, POLLOUT, 0};
        ::poll(&target, 1, kPollMilliseconds);
        if (timerFired())
            throw KestrumError("Socket send aborted");
    }
}

// Waiting for data: the UI is served between short polls, so a silent
// server neither freezes the windows nor spins the processor.
bool TSocketClient::waitReadable() {
    pump();
    pollfd source{socket_, POLLIN, 0};
    ::poll(&source, 1, kPollMilliseconds);
    return !timerFired();
}

std::string TSocketClient::ReadLn(std::size_t longestLine) {
    report(8, "ReadLn");
    startTimer();
    for (;;) {
        if (auto end = received_.find('\n'); end != std::string::npos) {
            std::string line = received_.substr(0, end + 1);
            received_.erase(0, end + 1);
            return line;
        }
        if (received_.size() > longestLine)
            throw KestrumError("HTTP header line longer than " + std::to_string(longestLine) +
                               " bytes");
        if (!waitReadable())
            throw KestrumError("Socket readln aborted");
        char buffer[4096];
        ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
        if (n > 0)
            received_.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            return std::exchange(received_, {});
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            raiseSocketError(errno);
    }
}

void TSocketClient::Capture(const std::function<void(std::string_view)>& onBlock) {
    report(8, "Capture String");
    startTimer();
    if (!received_.empty())
        onBlock(std::exchange(received_, {}));
    std::string buffer(65536, '\0');
    for (;;) {
        if (!waitReadable())
            throw KestrumError("Socket capture aborted");
        ssize_t n = ::recv(socket_, buffer.data(), buffer.size(), 0);
        if (n > 0) {
            onBlock(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
            startTimer();
        } else if (n == 0 || errno == ENOTCONN) {
            return;
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            raiseSocketError(errno);
        }
    }
}

} // namespace kestrum
