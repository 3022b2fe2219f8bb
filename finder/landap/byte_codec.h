// Little-endian field access, IPv4 address text and fixed text fields of LANDAP payloads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace yov {

using Bytes = std::span<const uint8_t>;
using MutableBytes = std::span<uint8_t>;

// IPv4 addresses are kept as the four bytes in network order, read into a u32 by memcpy
// (the in_addr.s_addr convention), so 0 means "no address".
using Ipv4 = uint32_t;

inline uint16_t GetU16(Bytes b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t GetU32(Bytes b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline void PutU16(MutableBytes b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(MutableBytes b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline Ipv4 GetAddress(Bytes b, size_t at) {
  Ipv4 a;
  std::memcpy(&a, b.data() + at, 4);
  return a;
}
inline void PutAddress(MutableBytes b, size_t at, Ipv4 a) { std::memcpy(b.data() + at, &a, 4); }

// Dotted-decimal text of an address ("0.0.0.0" for 0).
std::string AddressText(Ipv4 a);
// Writes the dotted text into a char[16] record field.
void PutAddressText(char (&field)[16], Ipv4 a);
// Parses dotted-decimal text; text that does not parse and "255.255.255.255" both give 0.
Ipv4 ParseAddress(std::string_view text);
// Parses a possibly unterminated char[16] record field like ParseAddress.
Ipv4 ParseAddressField(const char (&field)[16]);

// Copies a text field byte for byte: at most `n` bytes from `src`, stopping after the first
// NUL; the rest of `dst` is zero. The destination keeps a terminator only if the text is
// shorter than `n`.
void CopyText(char* dst, size_t dst_size, const uint8_t* src, size_t n);
void CopyText(uint8_t* dst, size_t dst_size, const char* src, size_t n);

// The text of a fixed field, up to its first NUL.
std::string FieldText(const uint8_t* src, size_t n);
std::string FieldText(const char* src, size_t n);

}  // namespace yov
