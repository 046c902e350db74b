#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kestrum {

// A blocking TCP client whose every wait keeps the user interface alive:
// each pass of a waiting loop calls `Pump` (the app sets it to process
// pending UI events). Failures raise KestrumError with the client's texts.
class TSocketClient {
  public:
    using NotifyEvent = std::function<void(TSocketClient& sender)>;
    using HandlerEvent = std::function<void(TSocketClient& sender, bool& handled)>;
    using StatusEvent = std::function<void(TSocketClient& sender, const std::string& status)>;

    TSocketClient();
    virtual ~TSocketClient();
    TSocketClient(const TSocketClient&) = delete;
    TSocketClient& operator=(const TSocketClient&) = delete;

    std::string Host;
    int Port = 0;
    int TimeOut = 0; // milliseconds; 0 waits as long as the network takes
    int ReportLevel = 0;
    NotifyEvent OnDisconnect, OnConnect, OnHostResolved, OnConnectionFailed;
    HandlerEvent OnInvalidHost;
    StatusEvent OnStatus;
    std::function<void()> Pump;

    const std::string& Status() const { return status_; }
    bool Connected() const { return connected_; }
    bool HasSocket() const { return socket_ >= 0; }
    // The error number the platform last reported for a connection attempt.
    int LastError() const { return lastError_; }

    void Connect();
    void Disconnect();
    // Makes the current wait end with its "aborted" or "Canceled" error.
    void Cancel();

    void Write(std::string_view bytes);
    // One line up to and including its LF; empty once the peer has closed.
    std::string ReadLn(std::size_t longestLine);
    // Receives until the peer closes; each block goes to `onBlock`.
    void Capture(const std::function<void(std::string_view block)>& onBlock);

  protected:
    void report(int level, const std::string& text);
    virtual std::string proxyHost() const { return {}; }
    virtual int proxyPort() const { return 0; }

  private:
    struct Lookup;
    std::string resolve(const std::string& host);
    std::string lookUp(const std::string& host);
    void waitForConnection();
    void startTimer();
    bool timerFired();
    bool waitReadable();
    void pump();

    int socket_ = -1;
    bool connected_ = false;
    bool canceled_ = false;
    bool timedOut_ = false;
    int lastError_ = 0;
    std::string status_;
    std::string received_; // bytes read ahead of the caller, in order
    std::chrono::steady_clock::time_point deadline_{};
};

// "number:description" for the socket error numbers the client reports,
// "Unknown Error No. n" for others.
std::string socketErrorText(int number);
// The client's error number for a system errno value.
int socketErrorNumber(int systemError);

} // namespace kestrum
