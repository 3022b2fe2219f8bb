// Helpers for byte tables written by hand, offset by offset, from the payload layouts.
#pragma once

#include <cstring>
#include <initializer_list>
#include <vector>

#include "landap/byte_codec.h"

namespace yov::test {

inline void Put(std::vector<uint8_t>& p, size_t at, const char* text) {
  std::memcpy(&p[at], text, std::strlen(text));
}
inline void Put(std::vector<uint8_t>& p, size_t at, std::initializer_list<uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), p.begin() + at);
}
template <size_t N>
std::vector<uint8_t> Vec(const std::array<uint8_t, N>& a) {
  return {a.begin(), a.end()};
}
// Copies a C string into a record's char field.
template <size_t N>
void SetField(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  std::memcpy(field, text, std::min(N, std::strlen(text)));
}

}  // namespace yov::test
