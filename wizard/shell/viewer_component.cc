// viewer_component.cc: the start-up check of the viewer component.
#include "viewer_component.h"

#include <fstream>
#include <sstream>

#include "text_util.h"

namespace torvel {

bool LoadViewerComponent(const std::filesystem::path& file, std::string& content) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > (1u << 20)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    if (text.find('\0') != std::string::npos || !IsValidUtf8(text)) return false;
    const std::string first = text.substr(0, text.find('\n'));
    const std::string signature = kViewerSignature;
    if (first != signature && first != signature + "\r") return false;
    content = std::move(text);
    return true;
}

}  // namespace torvel
