// local_server.h: the wizard's HTTP and WebSocket server on 127.0.0.1: serves the page folder
// with the shim injected, the shim's own files, the page sockets and video surfaces.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "page_document.h"

namespace torvel {

struct ShimAssets {
    std::string shimJs;       // /__torvel/shim.js
    std::string componentJs;  // /__torvel/vendolux.js (the viewer component as checked at start)
    std::string dialogsCss;   // /__torvel/dialogs.css
};

class CLocalServer : public IVideoRelay {
public:
    // `listener` must outlive the server (until Stop has returned).
    CLocalServer(std::filesystem::path htmlRoot, ShimAssets assets, IDocumentListener& listener);
    ~CLocalServer() override;

    // Binds 127.0.0.1:`port` (0: a free port) and starts the server thread.
    bool Start(std::uint16_t port, std::string& error);
    // Closes every connection and joins the server thread; pending page requests get no answer.
    void Stop();

    std::uint16_t Port() const;
    // The opening address with the session secret: http://127.0.0.1:<port>/?s=<secret>
    std::string SessionAddress() const;

    Surface CreateSurface() override;

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;  // shared with the sessions, which may outlive Stop
};

}  // namespace torvel
