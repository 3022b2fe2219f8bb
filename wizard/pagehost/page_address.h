// page_address.h: page addresses (page folder + file name) and the URL paths that serve them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvel {

// Strict percent-decoding: a malformed escape gives nullopt.
std::optional<std::string> PercentDecode(std::string_view text);
// Escapes everything but unreserved characters and '/'.
std::string PercentEncodePath(std::string_view path);

// URL path of the page the window shows when there is no page.
inline constexpr const char* kBlankPath = "/__torvel/blank";

class CPageAddress {
public:
    explicit CPageAddress(std::string htmlDir);  // a trailing '/' is added when missing
    const std::string& HtmlDir() const { return m_htmlDir; }
    // URL path of a page address, nullopt when it does not lie in the page folder.
    std::optional<std::string> ToPath(const std::string& address) const;
    // Page address of a decoded URL path ("/1_Install.html" -> folder + "1_Install.html").
    std::string ToAddress(const std::string& path) const;

private:
    std::string m_htmlDir;
};

}  // namespace torvel
