// html_files.cc: safe path resolution in the page folder and shim injection.
#include "html_files.h"

#include <algorithm>
#include <cctype>

#include "page_address.h"

namespace torvel {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Position just after the opening tag `<name ...>` (case-insensitive), or npos.
std::size_t AfterOpeningTag(std::string_view html, const std::string& name) {
    const std::string lower = Lower(html);
    for (std::size_t at = lower.find("<" + name); at != std::string::npos; at = lower.find("<" + name, at + 1)) {
        const std::size_t next = at + 1 + name.size();
        if (next < lower.size() && (lower[next] == '>' || std::isspace(static_cast<unsigned char>(lower[next])))) {
            const std::size_t close = lower.find('>', next);
            return close == std::string::npos ? std::string::npos : close + 1;
        }
    }
    return std::string::npos;
}

}  // namespace

std::optional<std::filesystem::path> ResolveInRoot(const std::filesystem::path& root, std::string_view urlPath) {
    namespace fs = std::filesystem;
    const auto decoded = PercentDecode(urlPath);
    if (!decoded || decoded->empty() || (*decoded)[0] != '/') return std::nullopt;
    if (decoded->find('\\') != std::string::npos || decoded->find('\0') != std::string::npos) return std::nullopt;
    if (decoded->rfind("/__torvel/", 0) == 0) return std::nullopt;
    fs::path relative;
    std::size_t start = 1;
    while (start <= decoded->size()) {
        const std::size_t end = std::min(decoded->find('/', start), decoded->size());
        const std::string segment = decoded->substr(start, end - start);
        if (segment == "." || segment == "..") return std::nullopt;
        if (!segment.empty()) relative /= segment;
        start = end + 1;
    }
    if (relative.empty()) return std::nullopt;
    const std::string ext = Lower(relative.extension().string());
    if (ext == ".ini") return std::nullopt;  // configuration (factory passwords) stays with the program
    std::error_code ec;
    const fs::path realRoot = fs::canonical(root, ec);
    if (ec) return std::nullopt;
    const fs::path real = fs::canonical(realRoot / relative, ec);
    if (ec || !fs::is_regular_file(real, ec)) return std::nullopt;
    const std::string rootText = realRoot.string() + "/";
    if (real.string().compare(0, rootText.size(), rootText) != 0) return std::nullopt;
    return real;
}

std::string ContentTypeFor(const std::filesystem::path& file) {
    const std::string ext = Lower(file.extension().string());
    if (ext == ".html" || ext == ".htm") return "text/html; charset=utf-8";
    if (ext == ".css") return "text/css; charset=utf-8";
    if (ext == ".js") return "text/javascript; charset=utf-8";
    if (ext == ".json") return "application/json";
    if (ext == ".gif") return "image/gif";
    if (ext == ".png") return "image/png";
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".svg") return "image/svg+xml";
    if (ext == ".ico") return "image/x-icon";
    if (ext == ".webp") return "image/webp";
    if (ext == ".woff2") return "font/woff2";
    if (ext == ".txt") return "text/plain; charset=utf-8";
    return "application/octet-stream";
}

std::string ShimTags() {
    return "<link rel=\"stylesheet\" href=\"/__torvel/dialogs.css\">"
           "<script src=\"/__torvel/vendolux.js\"></script>"
           "<script src=\"/__torvel/shim.js\"></script>";
}

std::string InjectShim(std::string_view html) {
    std::size_t at = AfterOpeningTag(html, "head");
    if (at == std::string::npos) at = AfterOpeningTag(html, "html");
    if (at == std::string::npos) {
        // Keep a doctype first so the page stays in standards mode.
        const std::string lower = Lower(html.substr(0, 64));
        at = lower.rfind("<!doctype", 0) == 0 ? html.find('>') + 1 : 0;
    }
    std::string out(html.substr(0, at));
    out += ShimTags();
    out += html.substr(at);
    return out;
}

}  // namespace torvel
