// Address and text field helpers shared by every payload codec.
#include "landap/byte_codec.h"

#include <arpa/inet.h>

#include <algorithm>

namespace yov {

std::string AddressText(Ipv4 a) {
  char text[INET_ADDRSTRLEN] = {};
  in_addr in{};
  in.s_addr = a;
  inet_ntop(AF_INET, &in, text, sizeof text);
  return text;
}

void PutAddressText(char (&field)[16], Ipv4 a) {
  std::memset(field, 0, sizeof field);
  std::string t = AddressText(a);
  std::memcpy(field, t.data(), std::min(t.size(), sizeof field - 1));
}

Ipv4 ParseAddress(std::string_view text) {
  std::string s(text);
  in_addr in{};
  if (inet_pton(AF_INET, s.c_str(), &in) != 1) return 0;
  return in.s_addr == 0xFFFFFFFFu ? 0 : in.s_addr;
}

Ipv4 ParseAddressField(const char (&field)[16]) { return ParseAddress(FieldText(field, 16)); }

template <typename D, typename S>
static void CopyBytes(D* dst, size_t dst_size, const S* src, size_t n) {
  std::memset(dst, 0, dst_size);
  size_t len = std::min(n, dst_size);
  for (size_t i = 0; i < len; ++i) {
    if (src[i] == 0) break;
    dst[i] = static_cast<D>(src[i]);
  }
}

void CopyText(char* dst, size_t dst_size, const uint8_t* src, size_t n) {
  CopyBytes(dst, dst_size, src, n);
}
void CopyText(uint8_t* dst, size_t dst_size, const char* src, size_t n) {
  CopyBytes(dst, dst_size, src, n);
}

std::string FieldText(const uint8_t* src, size_t n) {
  const uint8_t* end = std::find(src, src + n, 0);
  return std::string(src, end);
}
std::string FieldText(const char* src, size_t n) {
  return FieldText(reinterpret_cast<const uint8_t*>(src), n);
}

}  // namespace yov
