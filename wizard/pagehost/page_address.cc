// page_address.cc: percent coding and the page address <-> URL path mapping.
#include "page_address.h"

namespace torvel {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

std::string PercentEncodePath(std::string_view path) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (IsUnreserved(c) || c == '/') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

CPageAddress::CPageAddress(std::string htmlDir) : m_htmlDir(std::move(htmlDir)) {
    if (m_htmlDir.empty() || m_htmlDir.back() != '/') m_htmlDir += '/';
}

std::optional<std::string> CPageAddress::ToPath(const std::string& address) const {
    if (address.size() <= m_htmlDir.size() || address.compare(0, m_htmlDir.size(), m_htmlDir) != 0)
        return std::nullopt;
    return "/" + PercentEncodePath(address.substr(m_htmlDir.size()));
}

std::string CPageAddress::ToAddress(const std::string& path) const {
    return m_htmlDir + (path.empty() || path[0] != '/' ? path : path.substr(1));
}

}  // namespace torvel
