#include "net/DialUp.h"

#include "text/Messages.h"

#include <arpa/inet.h>
#include <cerrno>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace kestrum {

InterfaceDialUpQuery::InterfaceDialUpQuery(Lister lister) : lister_(std::move(lister)) {}

std::optional<std::vector<NetworkInterface>> InterfaceDialUpQuery::systemInterfaces() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;
    std::vector<NetworkInterface> interfaces;
    for (ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(entry->ifa_addr)->sin_addr, text,
                  sizeof text);
        interfaces.push_back({entry->ifa_name, (entry->ifa_flags & IFF_UP) != 0,
                              (entry->ifa_flags & IFF_POINTOPOINT) != 0, text});
    }
    freeifaddrs(list);
    return interfaces;
}

std::vector<NetworkInterface> InterfaceDialUpQuery::activeConnections(int& errorCode) {
    std::vector<NetworkInterface> active;
    auto interfaces = lister_();
    errorCode = interfaces ? 0 : (errno ? errno : 1);
    if (interfaces)
        for (auto& i : *interfaces)
            if (i.up && i.pointToPoint && !i.ipv4.empty())
                active.push_back(i);
    return active;
}

int InterfaceDialUpQuery::activeConnectionCount() {
    int errorCode;
    return static_cast<int>(activeConnections(errorCode).size());
}

DialUpQuery::Projection InterfaceDialUpQuery::firstConnectionAddress() {
    int errorCode;
    auto active = activeConnections(errorCode);
    if (errorCode)
        return {errorCode, {}};
    if (active.empty())
        return {ENODEV, {}}; // the connection went down since it was counted
    return {0, active.front().ipv4};
}

std::optional<std::string> connectionStatus(DialUpQuery& dialUp,
                                            const std::function<void()>& sendRequest) {
    if (dialUp.activeConnectionCount() == 0)
        return std::nullopt;
    sendRequest();
    auto projection = dialUp.firstConnectionAddress();
    if (projection.errorCode != 0)
        return Messages::tr("读取IP错误:") + std::to_string(projection.errorCode);
    return Messages::tr("你的IP是:") + projection.ip;
}

} // namespace kestrum
