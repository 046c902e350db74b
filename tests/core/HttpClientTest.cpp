#include "net/HttpClient.h"
#include "LocalHttpServer.h"
#include "base/Errors.h"
#include "net/DialUp.h"
#include "text/Gb18030.h"

#include <chrono>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>

using namespace kestrum;
using namespace std::chrono_literals;

namespace {

const std::string kCounterPath = "/JSCounter.asp?ID=25&FMT=C&L=6&Refer=";

LocalHttpServer::Reply replyWith(const std::string& bytes) {
    return [bytes](int c, const std::string&) { LocalHttpServer::send(c, bytes); };
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const KestrumError& e) {
        return e.what();
    }
    return "no error";
}

// A server that holds each connection open without answering, until the
// client goes away.
LocalHttpServer::Reply silentFor(std::chrono::milliseconds time) {
    return [time](int c, const std::string&) {
        pollfd closed{c, POLLIN, 0};
        ::poll(&closed, 1, static_cast<int>(time.count()));
    };
}

} // namespace

TEST(HttpClient, TheProgramsGetSendsExactlyItsFiveHeaderLines) {
    LocalHttpServer server(replyWith("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok"));
    THttpClient client;
    client.Get(server.url(kCounterPath));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET " + kCounterPath +
                  " HTTP/1.0\r\n"
                  "Host: 127.0.0.1\r\n"
                  "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
                  "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n"
                  "Content-type: application/x-www-form-urlencoded\r\n\r\n");
    EXPECT_EQ(client.Body, "ok");
    EXPECT_EQ(client.ContentLength(), 2);
    EXPECT_EQ(client.Header, "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\n");
}

TEST(HttpClient, SchemeAndHostAloneAreRequestedAsSlash) {
    LocalHttpServer server(replyWith("HTTP/1.0 200 OK\r\n\r\n"));
    THttpClient client;
    client.Get(server.url());
    EXPECT_EQ(server.requests()[0].substr(0, 16), "GET / HTTP/1.0\r\n");
    EXPECT_EQ(client.Url(), server.url("/"));
}

TEST(HttpClient, ABodySentOneByteAtATimeArrivesWhole) {
    std::string body = "a body that arrives slowly";
    LocalHttpServer server([&](int c, const std::string&) {
        LocalHttpServer::send(c, "HTTP/1.0 200 OK\r\n\r\n");
        for (char ch : body) {
            LocalHttpServer::send(c, std::string(1, ch));
            std::this_thread::sleep_for(1ms);
        }
    });
    THttpClient client;
    int packets = 0;
    client.OnPacketRecvd = [&](THttpClient&) { ++packets; };
    client.Get(server.url("/slow"));
    EXPECT_EQ(client.Body, body);
    EXPECT_GT(packets, 1);
}

TEST(HttpClient, SuccessAndFailureAreRaisedOnceAndAFailureIsNoError) {
    LocalHttpServer ok(replyWith("HTTP/1.0 200 OK\r\n\r\n"));
    LocalHttpServer missing(replyWith("HTTP/1.0 404 Not Found\r\n\r\nnope"));
    THttpClient client;
    int successes = 0, failures = 0;
    client.OnSuccess = [&](THttpClient&, int cmd) { successes += cmd == THttpClient::kGet; };
    client.OnFailure = [&](THttpClient&, int) { ++failures; };
    client.Get(ok.url("/"));
    EXPECT_EQ(successes, 1);
    EXPECT_EQ(failures, 0);
    EXPECT_NO_THROW(client.Get(missing.url("/")));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(client.StatusCode(), 404);
    EXPECT_EQ(client.Body, "nope");
}

TEST(HttpClient, ARedirectGoesToTheNewHostAndPathWithTheCookie) {
    LocalHttpServer target(replyWith("HTTP/1.0 200 OK\r\n\r\narrived"), "127.0.0.2");
    LocalHttpServer first(replyWith("HTTP/1.0 302 Found\r\nSet-Cookie: session=42\r\nLocation: " +
                                    target.url("/next?x=1") + "\r\n\r\n"));
    THttpClient client;
    int redirects = 0;
    client.OnRedirect = [&](THttpClient&, bool&) { ++redirects; };
    client.Get(first.url("/start"));
    EXPECT_EQ(redirects, 1);
    ASSERT_EQ(target.requests().size(), 1u);
    EXPECT_EQ(target.requests()[0].substr(0, 25), "GET /next?x=1 HTTP/1.0\r\nH");
    EXPECT_NE(target.requests()[0].find("\r\nHost: 127.0.0.2\r\n"), std::string::npos);
    EXPECT_NE(target.requests()[0].find("\r\nCookie: session=42\r\n"), std::string::npos);
    EXPECT_EQ(client.Body, "arrived");
}

TEST(HttpClient, ALocationWithoutASlashStaysOnTheSameHost) {
    LocalHttpServer server(replyWith("HTTP/1.0 301 Moved\r\nLocation: next.html\r\n\r\n"));
    THttpClient client;
    std::vector<std::string> asked;
    client.OnAboutToSend = [&](THttpClient& c) { asked.push_back(c.Url()); };
    // The new URL names no port, so it goes to port 80, where nothing listens.
    errorOf([&] { client.Get(server.url("/start")); });
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], "http://127.0.0.1/next.html");
    EXPECT_EQ(client.Path(), "/next.html");
}

TEST(HttpClient, A303EndsAsAFailureAndARedirectLoopIsStopped) {
    LocalHttpServer seeOther(replyWith("HTTP/1.0 303 See Other\r\nLocation: /x\r\n\r\n"));
    THttpClient client;
    int failures = 0;
    client.OnFailure = [&](THttpClient&, int) { ++failures; };
    client.Get(seeOther.url("/"));
    EXPECT_EQ(seeOther.requests().size(), 1u);
    EXPECT_EQ(failures, 1);

    LocalHttpServer* self = nullptr;
    LocalHttpServer loop([&](int c, const std::string&) {
        LocalHttpServer::send(c, "HTTP/1.0 302 Found\r\nLocation: " + self->url("/again") +
                                     "\r\n\r\n");
    });
    self = &loop;
    EXPECT_EQ(errorOf([&] { client.Get(loop.url("/")); }),
              "HTTP redirect chain longer than 10 steps");
    EXPECT_EQ(loop.requests().size(), 11u);
}

// A refusal arrives as the connection's notification: "Connection Failed",
// with the platform's reason kept as the last error.
TEST(HttpClient, ARefusedConnectionFailsWithTheReasonKept) {
    int port;
    { // a port that was free a moment ago and has no listener now
        LocalHttpServer gone(replyWith(""));
        port = gone.port();
    }
    THttpClient client;
    EXPECT_EQ(errorOf([&] { client.Get("http://127.0.0.1:" + std::to_string(port) + "/"); }),
              "Connection Failed");
    EXPECT_EQ(socketErrorText(client.LastError()), "10061:Connection refused");
    EXPECT_FALSE(client.HasSocket());
}

TEST(HttpClient, WithoutTimeOutASilentServerKeepsThePumpRunningUntilCanceled) {
    LocalHttpServer server(silentFor(3s));
    THttpClient client;
    int pumps = 0;
    client.Pump = [&] {
        if (++pumps == 150)
            client.Cancel();
    };
    EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "Socket readln aborted");
    EXPECT_EQ(pumps, 150);
}

TEST(HttpClient, WithATimeOutASilentServerEndsWithTheTimeOutError) {
    LocalHttpServer server(silentFor(3s));
    THttpClient client;
    client.TimeOut = 200;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(errorOf([&] { client.Get(server.url("/")); }), "Socket readln aborted");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST(HttpClient, OversizedRepliesEndWithAClearError) {
    LocalHttpServer longLine(replyWith("HTTP/1.0 200 OK\r\nX-Big: " + std::string(40000, 'x')));
    THttpClient client;
    EXPECT_EQ(errorOf([&] { client.Get(longLine.url("/")); }),
              "HTTP header line longer than 16384 bytes");
    std::string manyLines = "HTTP/1.0 200 OK\r\n";
    for (int i = 0; i < 300; ++i)
        manyLines += "X-Line: " + std::to_string(i) + "\r\n";
    LocalHttpServer many(replyWith(manyLines + "\r\n"));
    EXPECT_EQ(errorOf([&] { client.Get(many.url("/")); }),
              "HTTP reply has more than 256 header lines");
    LocalHttpServer huge(replyWith("HTTP/1.0 200 OK\r\n\r\n" + std::string(17 << 20, 'b')));
    EXPECT_EQ(errorOf([&] { client.Get(huge.url("/")); }), "HTTP reply body larger than 16 MiB");
}

TEST(HttpClient, UrlsAreParsedByTheirSchemeHostAndPort) {
    THttpClient client;
    EXPECT_EQ(errorOf([&] { client.Get(""); }), "Empty URL");
    EXPECT_EQ(errorOf([&] { client.Get("HTTPS://secure.example/"); }),
              "HTTP Secure Socket is not supported");
    struct Case {
        const char* url;
        const char* host;
        int port;
        const char* path;
    } cases[] = {
        {"http://counter.example/JSCounter.asp?ID=25", "counter.example", 80,
         "/JSCounter.asp?ID=25"},
        {"http://counter.example:8080", "counter.example", 8080, "/"},
        {"gopher://hole.example/1", "hole.example", 70, "/1"},
        {"ftp://files.example/pub", "files.example", 21, "/pub"},
        {"plain.example/page", "plain.example", 80, "/page"},
        {"/only/a/path", "kept.example", 80, "/only/a/path"},
    };
    for (const auto& c : cases) {
        THttpClient parsed;
        parsed.Host = "kept.example";
        parsed.ParseUrl(c.url);
        EXPECT_EQ(parsed.Host, c.host) << c.url;
        EXPECT_EQ(parsed.Port, c.port) << c.url;
        EXPECT_EQ(parsed.Path(), c.path) << c.url;
    }
    THttpClient longPath;
    longPath.ParseUrl("http://h/" + std::string(400, 'p'));
    EXPECT_EQ(longPath.Path().size(), 256u);
}

TEST(HttpClient, OptionalHeaderLinesComeInOrderWithBase64Credentials) {
    THttpClient client;
    client.HeaderInfo = {"me@example.org", "Kestrum", "a=1", "http://ref/", "user", "pass"};
    client.ParseUrl("http://h.example/x");
    client.BuildRequestLines();
    EXPECT_EQ(client.RequestLines(),
              (std::vector<std::string>{
                  "GET /x HTTP/1.0", "Host: h.example",
                  "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff",
                  "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript",
                  "User-Agent: Kestrum", "From: me@example.org", "Cookie: a=1",
                  "Referer: http://ref/", "Authorization: Basic dXNlcjpwYXNz",
                  "Content-type: application/x-www-form-urlencoded"}));
    EXPECT_EQ(base64("ab"), "YWI=");
    EXPECT_EQ(base64("a"), "YQ==");
}

TEST(HttpClient, SetCookieAndLocationAreCutAt256Characters) {
    std::string cookie(300, 'c');
    LocalHttpServer server(replyWith("HTTP/1.0 404 No\r\nSet-Cookie: " + cookie +
                                     "\r\nLocation: /" + std::string(300, 'l') + "\r\n\r\n"));
    THttpClient client;
    client.Get(server.url("/"));
    EXPECT_EQ(client.SetCookie(), std::string(256, 'c'));
    EXPECT_EQ(client.Location().size(), 256u);
}

TEST(HttpClient, TheStatusLevelDecidesWhatIsReported) {
    LocalHttpServer server(replyWith("HTTP/1.0 200 OK\r\n\r\n"));
    THttpClient client;
    std::vector<std::string> statuses;
    client.OnStatus = [&](TSocketClient&, const std::string& s) { statuses.push_back(s); };
    client.Get(server.url("/"));
    EXPECT_TRUE(statuses.empty());
    client.ReportLevel = 4;
    client.Get(server.url("/"));
    EXPECT_EQ(statuses, (std::vector<std::string>{"Sending Buffer", "Transaction Completed",
                                                  "Request Close Socket"}));
    EXPECT_EQ(client.Status(), "Request Close Socket");
}

TEST(DialUp, TheConnectionStatusFollowsTheInterfaceList) {
    using List = std::vector<NetworkInterface>;
    int sent = 0;
    auto send = [&] { ++sent; };
    InterfaceDialUpQuery none([] {
        return List{{"lo", true, false, "127.0.0.1"}, {"ppp0", false, true, "10.0.0.9"}};
    });
    EXPECT_EQ(connectionStatus(none, send), std::nullopt);
    EXPECT_EQ(sent, 0);
    InterfaceDialUpQuery ppp([] {
        return List{{"eth0", true, false, "192.0.2.1"}, {"ppp0", true, true, "10.0.0.7"}};
    });
    EXPECT_EQ(connectionStatus(ppp, send), gb("你的IP是:10.0.0.7"));
    EXPECT_EQ(sent, 1);
}

TEST(DialUp, AFailingAddressQueryGivesItsCodeAndAFailingRequestPassesOn) {
    struct FailingProjection : DialUpQuery {
        int activeConnectionCount() override { return 1; }
        Projection firstConnectionAddress() override { return {623, {}}; }
    } failing;
    EXPECT_EQ(connectionStatus(failing, [] {}), gb("读取IP错误:623"));
    EXPECT_THROW(connectionStatus(failing, [] { throw KestrumError("Connection Failed"); }),
                 KestrumError);
    InterfaceDialUpQuery broken([] { return std::optional<std::vector<NetworkInterface>>{}; });
    EXPECT_EQ(broken.activeConnectionCount(), 0);
    EXPECT_TRUE(InterfaceDialUpQuery::systemInterfaces().has_value());
}

TEST(HttpClient, AHostNameIsLookedUpWhileThePumpRuns) {
    LocalHttpServer server(replyWith("HTTP/1.0 200 OK\r\n\r\nnamed"));
    THttpClient client;
    int resolved = 0;
    client.OnHostResolved = [&](TSocketClient&) { ++resolved; };
    client.Get("http://localhost:" + std::to_string(server.port()) + "/");
    EXPECT_EQ(resolved, 1);
    EXPECT_EQ(client.Body, "named");
}
