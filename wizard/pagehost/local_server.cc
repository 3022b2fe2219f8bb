// local_server.cc: the Boost.Beast server of the wizard (HTTP, page sockets, video streams).
#include "local_server.h"

#include <atomic>
#include <deque>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include "access_policy.h"
#include "html_files.h"
#include "page_address.h"
#include "page_host.h"

namespace torvel {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using HttpRequest = http::request<http::string_body>;

namespace {

constexpr const char* kBoundary = "torvelframe";
constexpr const char* kBlankPage =
    "<!doctype html><html><head><meta charset=\"utf-8\"><title></title></head>"
    "<body class=\"torvel-blank\"></body></html>";

}  // namespace

class VideoSurface;
class VideoStream;

struct CLocalServer::Impl {
    Impl(std::filesystem::path r, ShimAssets a, IDocumentListener& l)
        : root(std::move(r)), assets(std::move(a)), listener(l) {}

    std::filesystem::path root;
    ShimAssets assets;
    IDocumentListener& listener;
    asio::io_context io{1};
    tcp::acceptor acceptor{io};
    std::thread thread;
    SessionKeys keys;
    std::mutex mutex;
    std::vector<std::weak_ptr<beast::tcp_stream>> httpStreams;  // closed by Stop
    std::vector<std::function<void()>> closers;                 // page sockets and video streams
    std::map<int, std::weak_ptr<VideoSurface>> surfaces;
    int nextSurface = 1;
    std::atomic<bool> running{false};
    std::atomic<bool> finished{false};
};

// --- page socket ----------------------------------------------------------------------------

class WsSession final : public IPageDocument, public std::enable_shared_from_this<WsSession> {
public:
    WsSession(std::shared_ptr<CLocalServer::Impl> impl, tcp::socket socket)
        : m_impl(std::move(impl)), m_ws(std::move(socket)) {}
    ~WsSession() override { FailPending(); }

    void Run(HttpRequest request) {
        m_request = std::move(request);  // must outlive the handshake
        m_ws.set_option(websocket::stream_base::timeout::suggested(beast::role_type::server));
        m_ws.read_message_max(1 << 20);
        m_ws.text(true);
        {
            std::lock_guard lock(m_impl->mutex);
            std::weak_ptr<WsSession> weak = shared_from_this();
            m_impl->closers.push_back([weak] {
                if (auto self = weak.lock()) beast::get_lowest_layer(self->m_ws).close();
            });
        }
        m_ws.async_accept(m_request, [self = shared_from_this()](beast::error_code ec) {
            if (ec) return self->CloseDown();
            self->Read();
        });
    }

    std::future<Reply> Start(Json request) override {
        std::promise<Reply> promise;
        std::future<Reply> answer = promise.get_future();
        std::int64_t n = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_closed) {
                promise.set_value(std::nullopt);
                return answer;
            }
            n = m_next++;
            m_pending.emplace(n, std::move(promise));
        }
        request["t"] = "req";
        request["n"] = n;
        Send(request.dump(-1, ' ', false, Json::error_handler_t::replace));
        return answer;
    }

    void Notify(Json message) override {
        message["t"] = "note";
        Send(message.dump(-1, ' ', false, Json::error_handler_t::replace));
    }

    bool IsOpen() const override {
        std::lock_guard lock(m_mutex);
        return !m_closed;
    }

private:
    void Send(std::string text) {
        asio::post(m_ws.get_executor(), [self = shared_from_this(), text = std::move(text)]() mutable {
            self->m_outbox.push_back(std::move(text));
            self->WriteNext();
        });
    }

    void WriteNext() {
        if (m_writing || m_outbox.empty() || !IsOpen()) return;
        m_writing = true;
        m_ws.async_write(asio::buffer(m_outbox.front()), [self = shared_from_this()](beast::error_code ec, std::size_t) {
            self->m_writing = false;
            if (ec) return self->CloseDown();
            self->m_outbox.pop_front();
            self->WriteNext();
        });
    }

    void Read() {
        m_ws.async_read(m_buffer, [self = shared_from_this()](beast::error_code ec, std::size_t) {
            if (ec) return self->CloseDown();
            std::string text = beast::buffers_to_string(self->m_buffer.data());
            self->m_buffer.consume(self->m_buffer.size());
            self->Handle(text);
            self->Read();
        });
    }

    void Handle(const std::string& text) {
        Json message = Json::parse(text, nullptr, false);
        if (message.is_discarded() || !message.is_object()) return;
        const std::string type = message.value("t", "");
        if (type == "res") {
            std::promise<Reply> promise;
            {
                std::lock_guard lock(m_mutex);
                auto it = m_pending.find(message.value("n", std::int64_t{0}));
                if (it == m_pending.end()) return;
                promise = std::move(it->second);
                m_pending.erase(it);
            }
            promise.set_value(std::move(message));
        } else if (type == "hello") {
            if (m_opened) return;
            m_opened = true;
            const auto path = PercentDecode(message.value("path", ""));
            m_impl->listener.OnDocumentOpened(shared_from_this(), path.value_or(""));
        } else if (m_opened) {
            m_impl->listener.OnDocumentMessage(shared_from_this(), std::move(message));
        }
    }

    void FailPending() {
        std::map<std::int64_t, std::promise<Reply>> pending;
        {
            std::lock_guard lock(m_mutex);
            m_closed = true;
            pending.swap(m_pending);
        }
        for (auto& [n, promise] : pending) promise.set_value(std::nullopt);
    }

    void CloseDown() {
        if (m_down) return;
        m_down = true;
        FailPending();
        beast::error_code ignored;
        beast::get_lowest_layer(m_ws).socket().close(ignored);
        if (m_opened) m_impl->listener.OnDocumentClosed(shared_from_this());
    }

    std::shared_ptr<CLocalServer::Impl> m_impl;
    websocket::stream<beast::tcp_stream> m_ws;
    HttpRequest m_request;
    beast::flat_buffer m_buffer;
    std::deque<std::string> m_outbox;  // server thread only
    bool m_writing = false;
    bool m_opened = false;
    bool m_down = false;
    mutable std::mutex m_mutex;
    std::map<std::int64_t, std::promise<Reply>> m_pending;
    std::int64_t m_next = 1;
    bool m_closed = false;
};

// --- video ------------------------------------------------------------------------------------

// One multipart/x-mixed-replace response; sends the newest frame whenever it is free.
class VideoStream final : public std::enable_shared_from_this<VideoStream> {
public:
    VideoStream(tcp::socket socket, std::shared_ptr<VideoSurface> surface)
        : m_socket(std::move(socket)), m_surface(std::move(surface)) {}
    void Start(const std::string& header);
    void Offer();
    void Close() {
        beast::error_code ignored;
        m_socket.close(ignored);
    }

private:
    void Write(std::shared_ptr<std::string> data);
    tcp::socket m_socket;
    std::shared_ptr<VideoSurface> m_surface;
    bool m_writing = false;
    std::uint64_t m_sent = 0;
};

class VideoSurface final : public IVideoSink, public std::enable_shared_from_this<VideoSurface> {
public:
    explicit VideoSurface(std::weak_ptr<CLocalServer::Impl> impl) : m_impl(std::move(impl)) {}

    void PushJpeg(const std::uint8_t* data, std::size_t size) override {
        {
            std::lock_guard lock(m_mutex);
            m_frame.assign(reinterpret_cast<const char*>(data), size);
            ++m_serial;
        }
        auto impl = m_impl.lock();
        if (!impl || !impl->running) return;
        asio::post(impl->io, [self = shared_from_this()] { self->OfferAll(); });
    }

    void AddViewer(const std::shared_ptr<VideoStream>& viewer) { m_viewers.push_back(viewer); }

    // The newest frame as one multipart part, or nullptr when `sent` is already the newest.
    std::shared_ptr<std::string> PartAfter(std::uint64_t& sent) {
        std::lock_guard lock(m_mutex);
        if (m_serial == sent || m_frame.empty()) return nullptr;
        sent = m_serial;
        auto part = std::make_shared<std::string>();
        *part = std::string("--") + kBoundary + "\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                std::to_string(m_frame.size()) + "\r\n\r\n" + m_frame + "\r\n";
        return part;
    }

private:
    void OfferAll() {  // server thread
        for (auto it = m_viewers.begin(); it != m_viewers.end();) {
            if (auto viewer = it->lock()) {
                viewer->Offer();
                ++it;
            } else {
                it = m_viewers.erase(it);
            }
        }
    }

    std::weak_ptr<CLocalServer::Impl> m_impl;
    std::mutex m_mutex;
    std::string m_frame;
    std::uint64_t m_serial = 0;
    std::vector<std::weak_ptr<VideoStream>> m_viewers;  // server thread only
};

void VideoStream::Start(const std::string& header) {
    m_surface->AddViewer(shared_from_this());
    Write(std::make_shared<std::string>(header));
}

void VideoStream::Offer() {
    if (m_writing) return;
    if (auto part = m_surface->PartAfter(m_sent)) Write(part);
}

void VideoStream::Write(std::shared_ptr<std::string> data) {
    m_writing = true;
    asio::async_write(m_socket, asio::buffer(*data), [self = shared_from_this(), data](beast::error_code ec, std::size_t) {
        self->m_writing = false;
        if (ec) return;  // the viewer went away: the stream ends with its last reference
        self->Offer();
    });
}

// --- HTTP -------------------------------------------------------------------------------------

class HttpSession final : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(std::shared_ptr<CLocalServer::Impl> impl, tcp::socket socket)
        : m_impl(std::move(impl)), m_stream(std::make_shared<beast::tcp_stream>(std::move(socket))) {}

    void Run() {
        {
            std::lock_guard lock(m_impl->mutex);
            m_impl->httpStreams.push_back(m_stream);
        }
        Read();
    }

private:
    void Read() {
        m_parser.emplace();
        m_parser->body_limit(16 * 1024);
        m_parser->header_limit(16 * 1024);
        m_stream->expires_after(std::chrono::seconds(30));
        http::async_read(*m_stream, m_buffer, *m_parser, [self = shared_from_this()](beast::error_code ec, std::size_t) {
            if (ec) return self->Close();
            self->Handle(self->m_parser->release());
        });
    }

    void Handle(HttpRequest request) {
        RequestFacts facts;
        facts.method = std::string(request.method_string());
        facts.target = std::string(request.target());
        facts.host = std::string(request[http::field::host]);
        facts.cookie = std::string(request[http::field::cookie]);
        facts.origin = std::string(request[http::field::origin]);
        facts.upgrade = websocket::is_upgrade(request);
        switch (Judge(m_impl->keys, facts)) {
            case Verdict::Refuse: return Respond(request, http::status::forbidden, {}, {}, false);
            case Verdict::Upgrade: {
                m_stream->expires_never();
                auto ws = std::make_shared<WsSession>(m_impl, m_stream->release_socket());
                ws->Run(std::move(request));
                return;
            }
            case Verdict::Open: return Redirect(request, true);
            case Verdict::Serve: return Serve(request);
        }
    }

    void Serve(const HttpRequest& request) {
        const std::string target(request.target());
        const std::string path = target.substr(0, target.find('?'));
        const ShimAssets& assets = m_impl->assets;
        if (path == "/") return Redirect(request, false);
        if (path == "/__torvel/shim.js") return Respond(request, http::status::ok, "text/javascript; charset=utf-8", assets.shimJs);
        if (path == "/__torvel/vendolux.js")
            return Respond(request, http::status::ok, "text/javascript; charset=utf-8", assets.componentJs);
        if (path == "/__torvel/dialogs.css") return Respond(request, http::status::ok, "text/css; charset=utf-8", assets.dialogsCss);
        if (path == kBlankPath) return Respond(request, http::status::ok, "text/html; charset=utf-8", InjectShim(kBlankPage));
        if (path.rfind("/__torvel/video/", 0) == 0) return StreamVideo(request, path.substr(16));
        const auto file = ResolveInRoot(m_impl->root, path);
        std::string body;
        if (!file || !ReadFile(*file, body)) return Respond(request, http::status::not_found, {}, {});
        const std::string type = ContentTypeFor(*file);
        if (type.rfind("text/html", 0) == 0) body = InjectShim(body);
        Respond(request, http::status::ok, type, std::move(body));
    }

    static bool ReadFile(const std::filesystem::path& file, std::string& body) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return false;
        std::ostringstream text;
        text << in.rdbuf();
        body = text.str();
        return true;
    }

    void Redirect(const HttpRequest& request, bool setCookie) {
        http::response<http::string_body> response{http::status::found, request.version()};
        response.set(http::field::location, m_impl->listener.CurrentPagePath());
        if (setCookie) response.set(http::field::set_cookie, SessionCookie(m_impl->keys));
        Finish(request, std::move(response), true);
    }

    void Respond(const HttpRequest& request, http::status status, const std::string& type, std::string body,
                 bool keepAlive = true) {
        http::response<http::string_body> response{status, request.version()};
        if (!type.empty()) response.set(http::field::content_type, type);
        response.body() = std::move(body);
        Finish(request, std::move(response), keepAlive);
    }

    void Finish(const HttpRequest& request, http::response<http::string_body> response, bool keepAlive) {
        response.set(http::field::server, "Torvel");
        response.set(http::field::cache_control, "no-store");
        response.set("X-Content-Type-Options", "nosniff");
        response.set("Referrer-Policy", "no-referrer");
        response.set("X-Frame-Options", "SAMEORIGIN");
        response.keep_alive(keepAlive && request.keep_alive());
        response.prepare_payload();
        if (request.method() == http::verb::head) response.body().clear();
        auto shared = std::make_shared<http::response<http::string_body>>(std::move(response));
        http::async_write(*m_stream, *shared, [self = shared_from_this(), shared](beast::error_code ec, std::size_t) {
            if (ec || shared->need_eof()) return self->Close();
            self->Read();
        });
    }

    void StreamVideo(const HttpRequest& request, const std::string& idText) {
        std::shared_ptr<VideoSurface> surface;
        {
            std::lock_guard lock(m_impl->mutex);
            auto it = m_impl->surfaces.find(std::atoi(idText.c_str()));
            if (it != m_impl->surfaces.end()) surface = it->second.lock();
        }
        if (!surface || request.method() != http::verb::get) return Respond(request, http::status::not_found, {}, {});
        const std::string header = std::string("HTTP/1.1 200 OK\r\nServer: Torvel\r\nCache-Control: no-store\r\n") +
                                   "X-Content-Type-Options: nosniff\r\nConnection: close\r\n" +
                                   "Content-Type: multipart/x-mixed-replace; boundary=" + kBoundary + "\r\n\r\n";
        m_stream->expires_never();
        auto stream = std::make_shared<VideoStream>(m_stream->release_socket(), surface);
        {
            std::lock_guard lock(m_impl->mutex);
            std::weak_ptr<VideoStream> weak = stream;
            m_impl->closers.push_back([weak] {
                if (auto viewer = weak.lock()) viewer->Close();
            });
        }
        stream->Start(header);
    }

    void Close() {
        beast::error_code ignored;
        m_stream->socket().shutdown(tcp::socket::shutdown_send, ignored);
        m_stream->close();
    }

    std::shared_ptr<CLocalServer::Impl> m_impl;
    std::shared_ptr<beast::tcp_stream> m_stream;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
};

// --- server -------------------------------------------------------------------------------

namespace {

void Accept(const std::shared_ptr<CLocalServer::Impl>& impl) {
    impl->acceptor.async_accept([impl](beast::error_code ec, tcp::socket socket) {
        if (ec) return;  // the acceptor was closed
        std::make_shared<HttpSession>(impl, std::move(socket))->Run();
        Accept(impl);
    });
}

}  // namespace

CLocalServer::CLocalServer(std::filesystem::path htmlRoot, ShimAssets assets, IDocumentListener& listener)
    : m_impl(std::make_shared<Impl>(std::move(htmlRoot), std::move(assets), listener)) {}

CLocalServer::~CLocalServer() { Stop(); }

bool CLocalServer::Start(std::uint16_t port, std::string& error) {
    beast::error_code ec;
    const tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"), port);
    m_impl->acceptor.open(endpoint.protocol(), ec);
    if (!ec) m_impl->acceptor.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec) m_impl->acceptor.bind(endpoint, ec);
    if (!ec) m_impl->acceptor.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + ec.message();
        return false;
    }
    m_impl->keys = {m_impl->acceptor.local_endpoint().port(), MakeSessionSecret()};
    m_impl->running = true;
    Accept(m_impl);
    m_impl->thread = std::thread([impl = m_impl.get()] {
        impl->io.run();
        impl->finished = true;
    });
    return true;
}

void CLocalServer::Stop() {
    if (!m_impl || !m_impl->running.exchange(false)) return;
    // Closing every socket lets each pending operation end, and with them the server thread.
    asio::post(m_impl->io, [impl = m_impl.get()] {
        beast::error_code ignored;
        impl->acceptor.close(ignored);
        std::lock_guard lock(impl->mutex);
        for (auto& weak : impl->httpStreams)
            if (auto stream = weak.lock()) stream->close();
        for (auto& close : impl->closers) close();
    });
    // Give the aborted operations a moment to finish; what is left then is stopped.
    for (int i = 0; i < 30 && !m_impl->finished; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!m_impl->finished) m_impl->io.stop();
    if (m_impl->thread.joinable()) m_impl->thread.join();
}

std::uint16_t CLocalServer::Port() const { return m_impl->keys.port; }

std::string CLocalServer::SessionAddress() const {
    return "http://127.0.0.1:" + std::to_string(m_impl->keys.port) + "/?s=" + m_impl->keys.secret;
}

IVideoRelay::Surface CLocalServer::CreateSurface() {
    auto surface = std::make_shared<VideoSurface>(std::weak_ptr<Impl>(m_impl));
    std::lock_guard lock(m_impl->mutex);
    const int id = m_impl->nextSurface++;
    m_impl->surfaces[id] = surface;
    return {"/__torvel/video/" + std::to_string(id), surface};
}

}  // namespace torvel
