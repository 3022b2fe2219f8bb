// UTF-8 by hand (locale independent); the 8-bit character set through iconv.
#include "api/text_codec.h"

#include <iconv.h>
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace yov {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `i`; advances `i`.
char32_t DecodeOne(std::string_view s, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b = byte(i++);
  if (b < 0x80) return b;
  int extra = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
  if (extra < 0) return kReplacement;
  char32_t c = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (byte(i++) & 0x3F);
  }
  bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
  if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  return c;
}

void EncodeOne(char32_t c, std::string& out) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Runs iconv over the whole input, replacing what cannot be converted with `fallback`.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view fallback,
                    size_t unit) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  std::vector<char> buf(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  while (left > 0) {
    char* dst = buf.data();
    size_t room = buf.size();
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf.data(), dst);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out.append(fallback);
      size_t skip = std::min(unit, left);
      src += skip;
      left -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  for (size_t i = 0; i < utf8.size();) out += static_cast<wchar_t>(DecodeOne(utf8, i));
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  for (wchar_t c : wide) EncodeOne(static_cast<char32_t>(c), out);
  return out;
}

std::string AnsiCodeset() {
  if (const char* forced = std::getenv("YOV_CODEPAGE"); forced && *forced) return forced;
  static std::once_flag once;
  static std::string codeset;
  std::call_once(once, [] {
    // Read the environment's locale without changing the caller's for good.
    locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    codeset = loc ? nl_langinfo_l(CODESET, loc) : "UTF-8";
    if (loc) freelocale(loc);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968") codeset = "UTF-8";
  });
  return codeset;
}

std::wstring AnsiToWide(std::string_view text) {
  std::string set = AnsiCodeset();
  if (set == "UTF-8" || set == "utf8") return Utf8ToWide(text);
  std::string utf8 = Convert("UTF-8", set.c_str(), text, "\xEF\xBF\xBD", 1);
  return Utf8ToWide(utf8);
}

std::string WideToAnsi(std::wstring_view wide) {
  std::string utf8 = WideToUtf8(wide);
  std::string set = AnsiCodeset();
  if (set == "UTF-8" || set == "utf8") return utf8;
  std::string target = set + "//TRANSLIT";
  return Convert(target.c_str(), "UTF-8", utf8, "?", 1);
}

}  // namespace yov
