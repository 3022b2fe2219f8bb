// page_document.h: one loaded page in the browser as the window thread talks to it (the
// shim's WebSocket), and the listener that learns of pages opening, speaking and closing.
#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace torvel {

using Json = nlohmann::json;
using Reply = std::optional<Json>;  // nullopt: no answer (page gone, time limit passed)

class IPageDocument {
public:
    virtual ~IPageDocument() = default;
    // Sends a request ({"op": ...}) and returns the future answer ({"ok": ...}); the future
    // gives nullopt when the page closes first. Any thread except the server's.
    virtual std::future<Reply> Start(Json request) = 0;
    // Fire and forget, delivered in order with the requests.
    virtual void Notify(Json message) = 0;
    virtual bool IsOpen() const = 0;

    // Start and wait up to `limit`.
    Reply Request(Json request, std::chrono::milliseconds limit) {
        auto answer = Start(std::move(request));
        if (answer.wait_for(limit) != std::future_status::ready) return std::nullopt;
        return answer.get();
    }
};

// Called on the server's thread; implementations hand the work to the window thread.
class IDocumentListener {
public:
    virtual ~IDocumentListener() = default;
    // The shim of a page at URL path `path` (decoded) has connected.
    virtual void OnDocumentOpened(const std::shared_ptr<IPageDocument>& doc, const std::string& path) = 0;
    // A message that is not an answer: element events, keys, slot events.
    virtual void OnDocumentMessage(const std::shared_ptr<IPageDocument>& doc, Json message) = 0;
    virtual void OnDocumentClosed(const std::shared_ptr<IPageDocument>& doc) = 0;
    // The URL path of the page the window shows now (for the session's opening address).
    virtual std::string CurrentPagePath() = 0;
};

// Video frames relayed to a slot: the server keeps the newest frame of each surface.
class IVideoRelay {
public:
    virtual ~IVideoRelay() = default;
    struct Surface {
        std::string url;  // path to put in the page
        std::shared_ptr<class IVideoSink> sink;
    };
    virtual Surface CreateSurface() = 0;
};

}  // namespace torvel
