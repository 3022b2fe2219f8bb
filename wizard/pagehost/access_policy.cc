// access_policy.cc: request admission for the local server.
#include "access_policy.h"

#include <fstream>
#include <random>

namespace torvel {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool CookieMatches(const SessionKeys& keys, std::string_view header) {
    const std::string name = CookieName(keys.port);
    while (!header.empty()) {
        const std::size_t semi = header.find(';');
        std::string_view pair = Trim(header.substr(0, semi));
        header = semi == std::string_view::npos ? std::string_view{} : header.substr(semi + 1);
        const std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && Trim(pair.substr(0, eq)) == name &&
            SameSecret(Trim(pair.substr(eq + 1)), keys.secret))
            return true;
    }
    return false;
}

}  // namespace

std::string MakeSessionSecret() {
    unsigned char bytes[32] = {};
    std::ifstream random("/dev/urandom", std::ios::binary);
    if (!random.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        std::random_device device;
        for (auto& b : bytes) b = static_cast<unsigned char>(device());
    }
    static const char* kHex = "0123456789abcdef";
    std::string text;
    for (unsigned char b : bytes) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

std::string CookieName(std::uint16_t port) { return "torvel_" + std::to_string(port); }

std::string SessionCookie(const SessionKeys& keys) {
    return CookieName(keys.port) + "=" + keys.secret + "; Path=/; HttpOnly; SameSite=Strict";
}

bool SameSecret(std::string_view a, std::string_view b) {
    if (a.size() != b.size() || a.empty()) return false;
    unsigned char diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

Verdict Judge(const SessionKeys& keys, const RequestFacts& r) {
    if (keys.secret.empty()) return Verdict::Refuse;
    if (r.host != "127.0.0.1:" + std::to_string(keys.port)) return Verdict::Refuse;
    if (r.method != "GET" && r.method != "HEAD") return Verdict::Refuse;
    const std::size_t query = r.target.find('?');
    const std::string_view path = std::string_view(r.target).substr(0, query);
    if (r.upgrade) {
        const bool ok = path == kSocketPath && query == std::string::npos &&
                        r.origin == "http://127.0.0.1:" + std::to_string(keys.port) && CookieMatches(keys, r.cookie);
        return ok ? Verdict::Upgrade : Verdict::Refuse;
    }
    if (path == "/" && query != std::string::npos) {
        const std::string_view q = std::string_view(r.target).substr(query + 1);
        return q.size() > 2 && q.substr(0, 2) == "s=" && SameSecret(q.substr(2), keys.secret) ? Verdict::Open
                                                                                                : Verdict::Refuse;
    }
    return CookieMatches(keys, r.cookie) ? Verdict::Serve : Verdict::Refuse;
}

}  // namespace torvel
