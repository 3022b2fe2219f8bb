// text_util.h: UTF-8 text helpers of the wizard (UTF-16 lengths, markup escaping).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torvel {

// Number of UTF-16 code units of a UTF-8 text (a character beyond U+FFFF counts 2).
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of `utf8` of at most `units` UTF-16 code units, never splitting a character.
std::string TruncateUtf16(std::string_view utf8, std::size_t units);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// Escapes & < > " ' so that `text` shows as text when inserted as inner HTML.
std::string HtmlEscape(std::string_view text);

}  // namespace torvel
