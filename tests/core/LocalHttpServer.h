#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A scripted HTTP server on a loopback address and a free port, for the
// client's tests. Each accepted connection gets the request read up to its
// empty line, then `reply` writes whatever the test wants. It stops by
// itself when the test ends, and waits at most a few seconds for a client.
class LocalHttpServer {
  public:
    using Reply = std::function<void(int connection, const std::string& request)>;
    explicit LocalHttpServer(Reply reply, const char* address = "127.0.0.1");
    ~LocalHttpServer();

    int port() const { return port_; }
    std::string url(const std::string& path = "") const;
    std::vector<std::string> requests();

    static void send(int connection, const std::string& bytes);

  private:
    void serve();
    Reply reply_;
    std::string address_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
