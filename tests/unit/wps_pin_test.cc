// WPS PIN generation: eight digits from the clock's low bytes and the WPS checksum.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "security/wps_pin.h"

namespace yov {
namespace {

bool ValidChecksum(const std::string& pin) {
  int sum = 0;
  for (int i = 0; i < 8; ++i) sum += (pin[i] - '0') * (i % 2 == 0 ? 3 : 1);
  return sum % 10 == 0;
}

struct PinCase {
  int64_t seconds;
  const char* pin;  // worked out by hand
};

TEST(WpsPin, FromTheThreeLowBytesAsSignedValues) {
  const PinCase cases[] = {
      {0x030201, "00660518"},                // (1*256+2)*256+3 = 66051
      {0x80, "65786888"},                    // -128, 0, 0: a negative v taken unsigned
      {0x7766000000808080ll, "65457924"},    // -128 each; the high bytes play no part
      {0x80FF7F, "83226885"},                // 127, -1, -128
      {0, "00000000"},
  };
  for (const auto& c : cases) {
    char buffer[9];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(GenerateWpsPin(buffer, sizeof buffer, c.seconds));
    EXPECT_STREQ(buffer, c.pin) << c.seconds;
  }
}

TEST(WpsPin, ChecksumOfKnownPins) {
  EXPECT_EQ(WpsPinChecksum(1234567), 0);  // 12345670 is the usual example
  EXPECT_EQ(WpsPinChecksum(66051), 8);
  EXPECT_EQ(WpsPinChecksum(0), 0);
}

TEST(WpsPin, EveryPinHasEightDigitsAndAValidChecksum) {
  for (int64_t t = 1700000000; t < 1700000000 + 200000; t += 997) {
    char buffer[8];
    ASSERT_TRUE(GenerateWpsPin(buffer, sizeof buffer, t));
    std::string pin(buffer, 8);
    for (char ch : pin) ASSERT_TRUE(ch >= '0' && ch <= '9') << pin;
    ASSERT_TRUE(ValidChecksum(pin)) << pin;
  }
}

TEST(WpsPin, RefusesAMissingOrShortBuffer) {
  char buffer[7] = {1, 1, 1, 1, 1, 1, 1};
  EXPECT_FALSE(GenerateWpsPin(nullptr, 8, 5));
  EXPECT_FALSE(GenerateWpsPin(buffer, sizeof buffer, 5));
  EXPECT_EQ(buffer[0], 1);
}

}  // namespace
}  // namespace yov
