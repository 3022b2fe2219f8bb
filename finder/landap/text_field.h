// Fixed-size text fields of LANDAP payloads and their copies into exported record fields.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "landap/byte_codec.h"

namespace yov {

template <size_t N>
using Text = std::array<uint8_t, N>;  // a fixed text field, copied byte for byte

template <size_t N>
Text<N> MakeText(std::string_view s) {
  Text<N> t{};
  for (size_t i = 0; i < s.size() && i < N; ++i) t[i] = static_cast<uint8_t>(s[i]);
  return t;
}

template <size_t N>
void PutText(MutableBytes out, size_t at, const Text<N>& t) {
  std::copy(t.begin(), t.end(), out.begin() + at);
}
template <size_t N>
void GetText(Bytes in, size_t at, Text<N>& t) {
  std::copy(in.begin() + at, in.begin() + at + N, t.begin());
}

// Payload text into a record field, byte for byte up to the field's size (a text that fills
// the field keeps no terminator, as the field of the same size on the wire).
template <size_t F, size_t N>
void ToField(char (&field)[F], const Text<N>& t) {
  CopyText(field, F, t.data(), std::min(F, N));
}
// Payload text into a smaller record field: at most F - 1 bytes, so the field stays terminated.
template <size_t F, size_t N>
void ToTerminatedField(char (&field)[F], const Text<N>& t) {
  CopyText(field, F, t.data(), std::min(F - 1, N));
}
// Record field into a payload text, up to the first NUL.
template <size_t N, size_t F>
Text<N> FromField(const char (&field)[F]) {
  Text<N> t{};
  CopyText(t.data(), N, field, std::min(F, N));
  return t;
}

}  // namespace yov
