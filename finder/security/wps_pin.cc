// WPS PIN generation from the clock.
#include "security/wps_pin.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace yov {

int WpsPinChecksum(uint32_t d) {
  int odd = 0, even = 0;  // d1, d3, d5, d7 (weight 3) and d2, d4, d6 (weight 1), d1 leading
  for (int position = 7; position >= 1; --position, d /= 10) {
    int digit = static_cast<int>(d % 10);
    (position % 2 ? odd : even) += digit;
  }
  return (10 - (3 * odd + even) % 10) % 10;
}

bool GenerateWpsPin(char* buffer, size_t size, int64_t now_seconds) {
  if (!buffer || size < kWpsPinLength) return false;
  // The three lowest-addressed bytes of the count, least significant first, each taken as a
  // signed byte: (t0 * 256 + t1) * 256 + t2, in 32-bit arithmetic.
  auto t = [&](int i) { return static_cast<int32_t>(static_cast<int8_t>(now_seconds >> (8 * i))); };
  uint32_t v = static_cast<uint32_t>((t(0) * 256 + t(1)) * 256 + t(2));
  uint32_t d = v % 10000000u;
  uint32_t pin = d * 10 + static_cast<uint32_t>(WpsPinChecksum(d));
  char text[16];
  std::snprintf(text, sizeof text, "%08u", pin);
  std::memset(buffer, 0, size);
  std::memcpy(buffer, text, kWpsPinLength);
  return true;
}

bool GenerateWpsPin(char* buffer, size_t size) {
  return GenerateWpsPin(buffer, size, static_cast<int64_t>(std::time(nullptr)));
}

}  // namespace yov
