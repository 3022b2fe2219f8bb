// text_util.cc: UTF-8 text helpers of the wizard.
#include "text_util.h"

namespace torvel {
namespace {

// Length in bytes of the UTF-8 sequence starting with `lead`, 0 for a byte that cannot lead.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t len = SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (len == 0) len = 1;  // a stray byte counts as one replacement character
        units += len == 4 ? 2 : 1;
        i += len;
    }
    return units;
}

std::string TruncateUtf16(std::string_view utf8, std::size_t units) {
    std::size_t used = 0, i = 0;
    while (i < utf8.size()) {
        std::size_t len = SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (len == 0) len = 1;
        const std::size_t need = len == 4 ? 2 : 1;
        if (used + need > units || i + len > utf8.size()) break;
        used += need;
        i += len;
    }
    return std::string(utf8.substr(0, i));
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t len = SequenceLength(lead);
        if (len == 0 || i + len > text.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        if (len >= 3) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            if (lead == 0xE0 && second < 0xA0) return false;  // overlong
            if (lead == 0xED && second > 0x9F) return false;  // surrogate
            if (lead == 0xF0 && second < 0x90) return false;  // overlong
            if (lead == 0xF4 && second > 0x8F) return false;  // beyond U+10FFFF
        }
        i += len;
    }
    return true;
}

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace torvel
