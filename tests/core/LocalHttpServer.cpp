#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

LocalHttpServer::LocalHttpServer(Reply reply, const char* address)
    : reply_(std::move(reply)), address_(address) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int on = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, address, &local.sin_addr);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(listener_, 16) != 0)
        throw std::runtime_error("test server cannot listen");
    socklen_t size = sizeof local;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&local), &size);
    port_ = ntohs(local.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://" + address_ + ":" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::send(int connection, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<std::size_t>(n);
    }
}

void LocalHttpServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0)
            continue;
        int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            pollfd readable{connection, POLLIN, 0};
            if (::poll(&readable, 1, 5000) <= 0)
                break;
            ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        reply_(connection, request);
        ::close(connection);
    }
}
