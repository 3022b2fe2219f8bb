// access_policy.h: which requests the local server answers: its own Host, the session secret
// (opening address, then a cookie) and, for the page socket, its own Origin.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvel {

struct SessionKeys {
    std::uint16_t port = 0;
    std::string secret;  // hex text
};

struct RequestFacts {
    std::string method, target, host, cookie, origin;
    bool upgrade = false;  // a WebSocket upgrade request
};

enum class Verdict {
    Refuse,   // 403 with an empty body
    Open,     // the opening address with the right secret: set the cookie and redirect
    Serve,    // an ordinary request of this session
    Upgrade,  // the page socket of this session
};

inline constexpr const char* kSocketPath = "/__torvel/ws";

// A fresh secret of 32 random bytes as 64 hex digits.
std::string MakeSessionSecret();
// Per-port cookie name: two wizards on different ports keep apart in one browser.
std::string CookieName(std::uint16_t port);
std::string SessionCookie(const SessionKeys& keys);  // the Set-Cookie value
bool SameSecret(std::string_view a, std::string_view b);  // time independent of where they differ
Verdict Judge(const SessionKeys& keys, const RequestFacts& request);

}  // namespace torvel
