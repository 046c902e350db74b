#include "net/HttpClient.h"

#include "base/Errors.h"
#include "text/AsciiText.h"

#include <algorithm>
#include <cctype>

namespace kestrum {
namespace {

constexpr std::size_t kLongestPath = 256;
constexpr std::size_t kLongestHeaderValue = 256;

std::string withoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// The n-th (0-based) field of a line whose fields are separated by single blanks.
std::string field(const std::string& line, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        start = line.find(' ', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return line.substr(start, line.find(' ', start) - start);
}

int numberOrZero(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return 0;
    return std::stoi(text);
}

std::size_t nthSlash(const std::string& text, int n) {
    std::size_t at = std::string::npos;
    for (int i = 0; i < n; ++i) {
        at = text.find('/', at == std::string::npos ? 0 : at + 1);
        if (at == std::string::npos)
            break;
    }
    return at;
}

void appendBody(std::string& body, std::string_view block) {
    if (body.size() + block.size() > THttpClient::kLargestBody)
        throw KestrumError("HTTP reply body larger than " +
                           std::to_string(THttpClient::kLargestBody >> 20) + " MiB");
    body.append(block);
}

long contentLengthOf(const std::string& text) {
    std::string upper = upperAscii(text);
    std::string after = upper.substr(upper.find("ENGTH:") + 6);
    auto first = after.find_first_of("0123456789");
    if (first == std::string::npos)
        return 0;
    return numberOrZero(after.substr(first, after.find_first_not_of("0123456789", first) - first));
}

} // namespace

bool ReplyHeader::add(const std::string& line) {
    if (lines_ == kMostLines + 1)
        throw KestrumError("HTTP reply has more than " + std::to_string(kMostLines) +
                           " header lines");
    std::string text = withoutLineEnd(line);
    if (lines_++ == 0) {
        if (!line.empty())
            status = numberOrZero(withoutLineEnd(field(line, 1)));
    } else {
        std::string name = upperAscii(field(line, 0));
        if (name == "SET-COOKIE:")
            setCookie = text.size() > 12 ? text.substr(12, kLongestHeaderValue) : "";
        else if (name == "LOCATION:")
            location = text.size() > 10 ? text.substr(10, kLongestHeaderValue) : "";
        else if (name == "CONTENT-LENGTH:")
            contentLength = contentLengthOf(text);
    }
    this->text += line;
    return line != "" && line != "\n" && line != "\r\n";
}

ParsedReply parseReply(std::string_view bytes) {
    ParsedReply reply;
    for (;;) {
        auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end == std::string_view::npos ? end : end + 1);
        if (line.size() > ReplyHeader::kLongestLine)
            throw KestrumError("HTTP header line longer than " +
                               std::to_string(ReplyHeader::kLongestLine) + " bytes");
        bytes.remove_prefix(line.size());
        if (!reply.header.add(std::string(line)))
            break;
    }
    appendBody(reply.body, bytes);
    return reply;
}

std::string base64(std::string_view bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t chunk = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            chunk |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            chunk |= static_cast<unsigned char>(bytes[i + 2]);
        out += alphabet[chunk >> 18 & 63];
        out += alphabet[chunk >> 12 & 63];
        out += i + 1 < bytes.size() ? alphabet[chunk >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[chunk & 63] : '=';
    }
    return out;
}

void THttpClient::ParseUrl(const std::string& url) {
    url_ = url;
    if (url_.empty())
        throw KestrumError("Empty URL");
    if (Port == 0)
        Port = 80;
    bool hasDoubleSlash = url_.find("//") != std::string::npos;
    std::size_t pathStart = hasDoubleSlash ? nthSlash(url_, 3) : url_.find('/');
    path_ = pathStart == std::string::npos ? "" : url_.substr(pathStart, kLongestPath);
    if (auto colon = url_.find(':'); colon != std::string::npos) {
        std::string scheme = lowerAscii(url_.substr(0, colon));
        if (scheme == "https")
            throw KestrumError("HTTP Secure Socket is not supported");
        Port = scheme == "gopher" ? 70 : scheme == "ftp" ? 21 : 80;
    }
    std::string host;
    if (hasDoubleSlash) {
        std::size_t second = nthSlash(url_, 2);
        std::size_t third = nthSlash(url_, 3);
        host = url_.substr(second + 1,
                           third == std::string::npos ? std::string::npos : third - second - 1);
    } else if (url_.front() != '/') {
        host = url_.substr(0, url_.find('/'));
    }
    if (auto colon = host.find(':'); colon != std::string::npos) {
        std::string digits;
        for (std::size_t i = colon + 1;
             i < host.size() && std::isdigit(static_cast<unsigned char>(host[i])); ++i)
            digits += host[i];
        if (int port = numberOrZero(digits))
            Port = port;
        host.erase(colon);
    }
    if (!host.empty())
        Host = host;
    if (path_.empty()) {
        path_ = "/";
        url_ += "/";
    }
}

void THttpClient::setHeaderLine(const std::string& name, const std::string& value) {
    std::string line = name + ": " + value;
    for (auto& existing : requestLines_)
        if (lowerAscii(existing.substr(0, existing.find(':'))) == lowerAscii(name)) {
            existing = line;
            return;
        }
    requestLines_.push_back(line);
}

void THttpClient::BuildRequestLines() {
    requestLines_.clear();
    requestLines_.push_back("GET " + (Proxy.empty() ? path_ : url_) + " HTTP/1.0");
    if (!Proxy.empty()) {
        requestLines_.push_back("Proxy-Connection: Keep-Alive");
        requestLines_.push_back("Host: " + Host);
    }
    if (!Host.empty())
        setHeaderLine("Host", Host);
    requestLines_.push_back("Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff");
    requestLines_.push_back(
        "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript");
    const auto& info = HeaderInfo;
    for (const auto& [name, value] :
         {std::pair{"User-Agent", info.LocalProgram}, std::pair{"From", info.LocalMailAddress},
          std::pair{"Cookie", info.Cookie}, std::pair{"Referer", info.Referer}})
        if (!value.empty())
            setHeaderLine(name, value);
    if (!info.UserId.empty() && !info.Password.empty())
        setHeaderLine("Authorization", "Basic " + base64(info.UserId + ":" + info.Password));
    requestLines_.push_back("Content-type: application/x-www-form-urlencoded");
}

void THttpClient::readReplyHeader() {
    ReplyHeader reply;
    while (reply.add(ReadLn(ReplyHeader::kLongestLine))) {
    }
    statusCode_ = reply.status;
    Header = std::move(reply.text);
    location_ = std::move(reply.location);
    setCookie_ = std::move(reply.setCookie);
    contentLength_ = reply.contentLength;
}

void THttpClient::readBody() {
    Body.clear();
    Capture([this](std::string_view block) {
        appendBody(Body, block);
        if (OnPacketRecvd)
            OnPacketRecvd(*this);
    });
}

// Connects, sends the request and reads the reply; a failure from the
// connection attempt on closes the connection before it passes on.
void THttpClient::exchange() {
    try {
        Connect();
        std::string request;
        for (const auto& line : requestLines_)
            request += line + "\r\n";
        request += "\r\n";
        Write(std::string_view(request).substr(0, 65535));
        if (OnPacketSent)
            OnPacketSent(*this);
        statusCode_ = 0;
        readReplyHeader();
        readBody();
    } catch (...) {
        if (HasSocket()) {
            try {
                Disconnect();
            } catch (const KestrumError&) {
                // The first error is the one the caller needs to see.
            }
        }
        throw;
    }
}

// Steps after the reply: true when the request is to be made again at
// the new URL.
bool THttpClient::judgeStatus() {
    const int code = statusCode_;
    bool redirect = code >= 300 && code <= 302;
    if (code < 299) {
        if (OnSuccess)
            OnSuccess(*this, kGet);
        report(2, "Transaction Completed");
    } else if (redirect) {
        url_ = location_;
    } else if (OnFailure) {
        // 299 and 303 to 399 end here too, as failures, instead of asking again.
        OnFailure(*this, kGet);
    }
    Disconnect();
    if (code >= 300 && code <= 398) {
        if (!setCookie_.empty())
            HeaderInfo.Cookie = setCookie_;
        bool handled = false;
        if (OnRedirect)
            OnRedirect(*this, handled);
        if (handled)
            return false;
        if (redirect && url_.find('/') == std::string::npos)
            url_ = "http://" + Host + "/" + url_;
    }
    if (code == 401 && OnAuthenticationNeeded)
        OnAuthenticationNeeded(*this);
    return redirect;
}

void THttpClient::Get(const std::string& url) {
    url_ = url; // each round parses the URL of the round before
    for (int redirects = 0;; ++redirects) {
        ParseUrl(std::string(url_));
        BuildRequestLines();
        if (OnAboutToSend)
            OnAboutToSend(*this);
        exchange();
        if (!judgeStatus())
            return;
        if (redirects == kMostRedirects)
            throw KestrumError("HTTP redirect chain longer than " + std::to_string(kMostRedirects) +
                               " steps");
    }
}

} // namespace kestrum
