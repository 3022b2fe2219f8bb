// local_server_test.cc: the wizard's server over loopback: what it refuses, what it serves,
// the page socket's request/answer round and a video stream.
#include "local_server.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <condition_variable>
#include <fstream>
#include <thread>

#include "html_files.h"
#include "page_host.h"

namespace torvel {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
namespace fs = std::filesystem;
using tcp = asio::ip::tcp;

// Records what the server reports; the current page is fixed.
class Listener : public IDocumentListener {
public:
    void OnDocumentOpened(const std::shared_ptr<IPageDocument>& doc, const std::string& path) override {
        std::lock_guard lock(mutex);
        document = doc;
        openedPath = path;
        changed.notify_all();
    }
    void OnDocumentMessage(const std::shared_ptr<IPageDocument>&, Json message) override {
        std::lock_guard lock(mutex);
        messages.push_back(message);
        changed.notify_all();
    }
    void OnDocumentClosed(const std::shared_ptr<IPageDocument>&) override {
        std::lock_guard lock(mutex);
        closed = true;
        changed.notify_all();
    }
    std::string CurrentPagePath() override { return "/1_Install.html"; }

    template <class Pred>
    bool WaitFor(Pred pred) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), pred);
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::shared_ptr<IPageDocument> document;
    std::string openedPath;
    std::vector<Json> messages;
    bool closed = false;
};

struct Answer {
    unsigned status = 0;
    std::string body, location, cookie;
};

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("torvel-server-" + std::to_string(::getpid()));
        fs::create_directories(root / "Html");
        std::ofstream(root / "Html/1_Install.html") << "<!DOCTYPE html><html><head><title>x</title></head><body>page</body></html>";
        std::ofstream(root / "secret.txt") << "outside";
        server = std::make_unique<CLocalServer>(root / "Html", ShimAssets{"/*shim*/", "/*component*/", "/*css*/"}, listener);
        std::string error;
        ASSERT_TRUE(server->Start(0, error)) << error;
        port = server->Port();
        const std::string address = server->SessionAddress();
        secret = address.substr(address.find("?s=") + 3);
        host = "127.0.0.1:" + std::to_string(port);
        cookie = "torvel_" + std::to_string(port) + "=" + secret;
    }
    void TearDown() override {
        server->Stop();
        fs::remove_all(root);
    }

    Answer Fetch(http::verb verb, const std::string& target, const std::string& hostHeader, const std::string& cookieHeader) {
        asio::io_context io;
        tcp::socket socket(io);
        socket.connect({asio::ip::make_address("127.0.0.1"), port});
        http::request<http::string_body> request{verb, target, 11};
        if (!hostHeader.empty()) request.set(http::field::host, hostHeader);
        if (!cookieHeader.empty()) request.set(http::field::cookie, cookieHeader);
        request.prepare_payload();
        http::write(socket, request);
        beast::flat_buffer buffer;
        http::response<http::string_body> response;
        http::read(socket, buffer, response);
        return {response.result_int(), response.body(), std::string(response[http::field::location]),
                std::string(response[http::field::set_cookie])};
    }

    // A WebSocket handshake with the given Origin and cookie; false when refused.
    bool OpenSocket(websocket::stream<tcp::socket>& ws, const std::string& origin, const std::string& cookieHeader) {
        ws.next_layer().connect({asio::ip::make_address("127.0.0.1"), port});
        ws.set_option(websocket::stream_base::decorator([&](websocket::request_type& r) {
            if (!origin.empty()) r.set(http::field::origin, origin);
            if (!cookieHeader.empty()) r.set(http::field::cookie, cookieHeader);
        }));
        beast::error_code ec;
        ws.handshake(host, "/__torvel/ws", ec);
        return !ec;
    }

    Listener listener;
    fs::path root;
    std::unique_ptr<CLocalServer> server;
    std::uint16_t port = 0;
    std::string secret, host, cookie;
};

TEST_F(ServerTest, OpeningAddressSetsAStrictHttpOnlyCookieAndShowsTheCurrentPage) {
    const Answer open = Fetch(http::verb::get, "/?s=" + secret, host, "");
    EXPECT_EQ(open.status, 302u);
    EXPECT_EQ(open.location, "/1_Install.html");
    EXPECT_EQ(open.cookie, cookie + "; Path=/; HttpOnly; SameSite=Strict");
    const Answer page = Fetch(http::verb::get, "/1_Install.html", host, cookie);
    EXPECT_EQ(page.status, 200u);
    EXPECT_NE(page.body.find("<head>" + ShimTags() + "<title>"), std::string::npos);
    EXPECT_EQ(Fetch(http::verb::get, "/__torvel/shim.js", host, cookie).body, "/*shim*/");
    EXPECT_EQ(Fetch(http::verb::get, "/__torvel/vendolux.js", host, cookie).body, "/*component*/");
}

TEST_F(ServerTest, RefusesForeignHostMissingSecretAndOtherMethodsWithAnEmpty403) {
    const struct {
        const char* what;
        http::verb verb;
        std::string target, host, cookie;
    } cases[] = {
        {"foreign host", http::verb::get, "/1_Install.html", "evil.example:80", cookie},
        {"host of another port", http::verb::get, "/1_Install.html", "127.0.0.1:1", cookie},
        {"no host", http::verb::get, "/1_Install.html", "", cookie},
        {"no cookie", http::verb::get, "/1_Install.html", host, ""},
        {"no cookie, shim", http::verb::get, "/__torvel/shim.js", host, ""},
        {"wrong secret", http::verb::get, "/?s=" + std::string(64, '0'), host, ""},
        {"opening from a foreign host", http::verb::get, "/?s=" + secret, "evil.example", ""},
        {"POST", http::verb::post, "/1_Install.html", host, cookie},
        {"PUT", http::verb::put, "/1_Install.html", host, cookie},
    };
    for (const auto& c : cases) {
        const Answer a = Fetch(c.verb, c.target, c.host, c.cookie);
        EXPECT_EQ(a.status, 403u) << c.what;
        EXPECT_EQ(a.body, "") << c.what;
        EXPECT_EQ(a.cookie, "") << c.what;
    }
}

TEST_F(ServerTest, NothingOutsideThePageFolderIsServed) {
    for (const char* target : {"/../secret.txt", "/%2e%2e/secret.txt", "/..%2fsecret.txt", "/%2e%2e%2fsecret.txt"}) {
        const Answer a = Fetch(http::verb::get, target, host, cookie);
        EXPECT_NE(a.status, 200u) << target;
        EXPECT_EQ(a.body.find("outside"), std::string::npos) << target;
    }
}

TEST_F(ServerTest, PageSocketNeedsItsOwnOriginAndTheCookie) {
    asio::io_context io;
    websocket::stream<tcp::socket> foreign(io), noOrigin(io), noCookie(io);
    EXPECT_FALSE(OpenSocket(foreign, "http://evil.example", cookie));
    EXPECT_FALSE(OpenSocket(noOrigin, "", cookie));
    EXPECT_FALSE(OpenSocket(noCookie, "http://" + host, ""));
    EXPECT_EQ(listener.document, nullptr);
}

TEST_F(ServerTest, PageSocketCarriesRequestsAndAnswers) {
    asio::io_context io;
    websocket::stream<tcp::socket> ws(io);
    ASSERT_TRUE(OpenSocket(ws, "http://" + host, cookie));
    ws.write(asio::buffer(Json({{"t", "hello"}, {"path", "/1_Install%20x.html"}}).dump()));
    ASSERT_TRUE(listener.WaitFor([&] { return listener.document != nullptr; }));
    EXPECT_EQ(listener.openedPath, "/1_Install x.html");

    // The window thread asks; the page answers with the request's number.
    std::future<Reply> answer = listener.document->Start({{"op", "getValue"}, {"id", "x"}});
    beast::flat_buffer buffer;
    ws.read(buffer);
    const Json request = Json::parse(beast::buffers_to_string(buffer.data()));
    EXPECT_EQ(request["t"], "req");
    EXPECT_EQ(request["op"], "getValue");
    ws.write(asio::buffer(Json({{"t", "res"}, {"n", request["n"]}, {"ok", true}, {"value", "v"}}).dump()));
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    const Reply reply = answer.get();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ((*reply)["value"], "v");

    // Page messages reach the listener; a closed page fails pending requests at once.
    ws.write(asio::buffer(Json({{"t", "ev"}, {"id", "btn"}, {"ev", "click"}}).dump()));
    ws.write(asio::buffer(std::string("not json")));
    ASSERT_TRUE(listener.WaitFor([&] { return !listener.messages.empty(); }));
    EXPECT_EQ(listener.messages[0]["id"], "btn");
    std::future<Reply> orphan = listener.document->Start({{"op", "getValue"}});
    ws.close(websocket::close_code::normal);
    ASSERT_TRUE(listener.WaitFor([&] { return listener.closed; }));
    ASSERT_EQ(orphan.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(orphan.get().has_value());
    EXPECT_FALSE(listener.document->Request({{"op", "x"}}, std::chrono::milliseconds(100)).has_value());
}

TEST_F(ServerTest, VideoSurfaceStreamsItsNewestFrame) {
    const IVideoRelay::Surface surface = server->CreateSurface();
    const std::uint8_t frame[] = {0xFF, 0xD8, 0x01, 0x02, 0xFF, 0xD9};
    surface.sink->PushJpeg(frame, sizeof frame);
    asio::io_context io;
    tcp::socket socket(io);
    socket.connect({asio::ip::make_address("127.0.0.1"), port});
    const std::string request = "GET " + surface.url + " HTTP/1.1\r\nHost: " + host + "\r\nCookie: " + cookie + "\r\n\r\n";
    asio::write(socket, asio::buffer(request));
    std::string received;
    char chunk[512];
    while (received.find("\xFF\xD9") == std::string::npos) {
        const std::size_t n = socket.read_some(asio::buffer(chunk));
        received.append(chunk, n);
    }
    EXPECT_NE(received.find("multipart/x-mixed-replace; boundary=torvelframe"), std::string::npos);
    EXPECT_NE(received.find("Content-Length: 6\r\n\r\n" + std::string(reinterpret_cast<const char*>(frame), 6)),
              std::string::npos);
    EXPECT_EQ(Fetch(http::verb::get, "/__torvel/video/999", host, cookie).status, 404u);
}

}  // namespace
}  // namespace torvel
