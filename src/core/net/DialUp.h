#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrum {

// The dial-up service's answers: the active connections, and the IP
// address of the first one (or the query's error code).
class DialUpQuery {
  public:
    struct Projection {
        int errorCode = 0; // non-zero when the address could not be read
        std::string ip;
    };
    virtual ~DialUpQuery() = default;
    virtual int activeConnectionCount() = 0;
    virtual Projection firstConnectionAddress() = 0;
};

// One network interface as the system lists it.
struct NetworkInterface {
    std::string name;
    bool up = false;
    bool pointToPoint = false;
    std::string ipv4; // empty when it has none
};

// On Linux a dial-up connection is an interface that is up, point-to-point
// and has an IPv4 address (ppp0 and the like).
class InterfaceDialUpQuery : public DialUpQuery {
  public:
    using Lister = std::function<std::optional<std::vector<NetworkInterface>>()>;
    // `lister` gives the interfaces, or nothing when the query fails.
    explicit InterfaceDialUpQuery(Lister lister = systemInterfaces);
    int activeConnectionCount() override;
    Projection firstConnectionAddress() override;

    static std::optional<std::vector<NetworkInterface>> systemInterfaces();

  private:
    std::vector<NetworkInterface> activeConnections(int& errorCode);
    Lister lister_;
};

// The connection status at start-up: with an active connection, sends the
// request (whose errors pass on) and gives the text to append to the
// editor window's caption; without one, sends nothing and gives nothing.
std::optional<std::string> connectionStatus(DialUpQuery& dialUp,
                                            const std::function<void()>& sendRequest);

} // namespace kestrum
