// Text conversions at the library boundary: UTF-8, wide strings and the 8-bit character set.
#pragma once

#include <string>
#include <string_view>

namespace yov {

std::wstring Utf8ToWide(std::string_view utf8);  // invalid sequences become U+FFFD
std::string WideToUtf8(std::wstring_view wide);

// The 8-bit character set of text arguments and camera fields: YOV_CODEPAGE when set, else
// the locale's (normally UTF-8).
std::string AnsiCodeset();
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view wide);  // unmappable characters become '?'

}  // namespace yov
