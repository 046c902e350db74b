#pragma once

#include "net/SocketClient.h"

#include <string>
#include <vector>

namespace kestrum {

struct THeaderInfo {
    std::string LocalMailAddress;
    std::string LocalProgram;
    std::string Cookie;
    std::string Referer;
    std::string UserId;
    std::string Password;
};

// The reply header, taken line by line as it arrives: the same steps
// whether the lines come from the network or from bytes in memory.
class ReplyHeader {
  public:
    static constexpr std::size_t kLongestLine = 16384;
    static constexpr std::size_t kMostLines = 256;

    // The next line, with its line end. False once the header has ended (a
    // blank line, or the empty line the end of the reply gives); raises
    // past the line bound.
    bool add(const std::string& line);

    int status = 0;
    std::string text; // every line as received
    std::string location;
    std::string setCookie;
    long contentLength = 0;

  private:
    std::size_t lines_ = 0;
};

struct ParsedReply {
    ReplyHeader header;
    std::string body;
};

// A whole reply in memory, split into lines as the socket reader splits
// them and held to the same bounds; raises what the client raises.
ParsedReply parseReply(std::string_view bytes);

// One HTTP/1.0 GET over TSocketClient; the reply's header lands in
// `Header` and its body in `Body`. Replies from the network are bounded:
// header lines, their number, the body's size and the redirect chain.
class THttpClient : public TSocketClient {
  public:
    using ResultEvent = std::function<void(THttpClient& sender, int cmd)>;
    using HttpNotifyEvent = std::function<void(THttpClient& sender)>;
    using RedirectEvent = std::function<void(THttpClient& sender, bool& handled)>;

    static constexpr int kGet = 0;
    static constexpr std::size_t kLargestBody = 16u << 20;
    static constexpr int kMostRedirects = 10;

    std::string Body = "Default.htm";
    std::string Header = "Head.txt";
    THeaderInfo HeaderInfo;
    bool InputFileMode = false;  // kept for the published interface; bodies go to `Body`
    bool OutputFileMode = false; // likewise for `Header`
    std::string Proxy;
    int ProxyPort = 0;
    HttpNotifyEvent OnPacketRecvd, OnPacketSent, OnAboutToSend, OnAuthenticationNeeded;
    ResultEvent OnSuccess, OnFailure;
    RedirectEvent OnRedirect;

    void Get(const std::string& url);

    int StatusCode() const { return statusCode_; }
    const std::string& Url() const { return url_; }
    const std::string& Path() const { return path_; }
    const std::vector<std::string>& RequestLines() const { return requestLines_; }
    const std::string& Location() const { return location_; }
    const std::string& SetCookie() const { return setCookie_; }
    long ContentLength() const { return contentLength_; }

    // URL parsing and the request lines, apart for their tests.
    void ParseUrl(const std::string& url);
    void BuildRequestLines();

  protected:
    std::string proxyHost() const override { return Proxy; }
    int proxyPort() const override { return ProxyPort; }

  private:
    void setHeaderLine(const std::string& name, const std::string& value);
    void exchange();
    void readReplyHeader();
    void readBody();
    bool judgeStatus();

    std::string url_;
    std::string path_;
    int statusCode_ = 0;
    std::string location_;
    std::string setCookie_;
    long contentLength_ = 0;
    std::vector<std::string> requestLines_;
};

std::string base64(std::string_view bytes);

} // namespace kestrum
