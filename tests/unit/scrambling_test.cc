// The keyless scrambling of the secure WPS key fields.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "security/scrambling.h"

namespace yov {
namespace {

struct ScrambleCase {
  std::vector<uint8_t> plain, scrambled;  // worked out by hand from the six steps
};

TEST(Scramble, MatchesHandWorkedSpans) {
  const ScrambleCase cases[] = {
      // One byte: the chains do nothing, so ~b ^ 0xAA ^ 0x55 gives b back.
      {{0x3C}, {0x3C}},
      {{0x00}, {0x00}},
      // [a, c] -> [~a ^ 0x55 ^ c, c]
      {{0x12, 0x34}, {0x8C, 0x34}},
      {{0x00, 0x00}, {0xAA, 0x00}},
      // FF FF FF -> chain 00 00 FF -> AA AA 55 -> chain 00 FF 55 -> 55 AA 00 -> chain FF AA 00
      {{0x00, 0x00, 0x00}, {0xFF, 0xAA, 0x00}},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> b = c.plain;
    Scramble(b);
    EXPECT_EQ(b, c.scrambled);
    Unscramble(b);
    EXPECT_EQ(b, c.plain);
  }
}

TEST(Scramble, UnscrambleRestoresAnySpan) {
  std::mt19937 rng(7);
  for (size_t n : {0u, 1u, 2u, 3u, 8u, 192u, 200u, 513u}) {
    std::vector<uint8_t> plain(n);
    for (auto& x : plain) x = static_cast<uint8_t>(rng());
    std::vector<uint8_t> b = plain;
    Scramble(b);
    if (n > 1) {
      EXPECT_NE(b, plain) << n;
    }
    Unscramble(b);
    EXPECT_EQ(b, plain) << n;
  }
}

}  // namespace
}  // namespace yov
