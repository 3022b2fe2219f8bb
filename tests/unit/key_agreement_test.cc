// The key agreement: group, sizes, encodings and the life of the pending key pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "security/key_agreement.h"

namespace yov {
namespace {

using Buffer = std::array<uint8_t, kDhBufferSize>;

bool ZeroFrom(const Buffer& b, size_t from) {
  return std::all_of(b.begin() + from, b.end(), [](uint8_t x) { return x == 0; });
}

class PendingPair : public ::testing::Test {
 protected:
  void TearDown() override { DiscardPendingKeyPair(); }
};

TEST(DhKeyPair, PrivateValueHas1535BitsAndBothSidesAgree) {
  DhKeyPair a, b;
  ASSERT_TRUE(a.Generate());
  ASSERT_TRUE(b.Generate());
  EXPECT_EQ(a.PrivateBits(), 1535);
  EXPECT_EQ(b.PrivateBits(), 1535);
  Buffer pa{}, pb{}, sa{}, sb{};
  int na = a.PublicBytes(pa), nb = b.PublicBytes(pb);
  ASSERT_GT(na, 0);
  ASSERT_LE(na, 192);
  int ka = a.Secret(Bytes(pb.data(), nb), sa);
  int kb = b.Secret(Bytes(pa.data(), na), sb);
  ASSERT_GT(ka, 0);
  EXPECT_EQ(ka, kb);
  EXPECT_EQ(sa, sb);
  EXPECT_NE(pa, pb);
}

TEST(DhKeyPair, PeerValuesAreUsedUnchecked) {
  DhKeyPair a;
  ASSERT_TRUE(a.Generate());
  Buffer s{};
  const uint8_t one[] = {1};
  EXPECT_EQ(a.Secret(one, s), 1);  // 1^x = 1
  EXPECT_EQ(s[0], 1);
  EXPECT_EQ(a.Secret(Bytes(), s), 0);  // 0^x = 0: no significant bytes
}

TEST_F(PendingPair, PublicValueIsMinimalBigEndianWithItsLength) {
  Buffer out{};
  int32_t len = -5;
  testing::internal::CaptureStderr();
  GenerateDHPublicKey(out, len);
  std::string printed = testing::internal::GetCapturedStderr();
  ASSERT_GT(len, 0);
  EXPECT_NE(out[0], 0);  // minimal: no leading zero byte
  EXPECT_TRUE(ZeroFrom(out, len));
  EXPECT_EQ(printed, "GenerateDHPublicKey Success dhkey_len" + std::to_string(len) + "\n");
  EXPECT_TRUE(HasPendingKeyPair());
}

TEST_F(PendingPair, AValueWithALeadingZeroByteIsShorterAndSitsAtTheStart) {
  // About one pair in 256 has a public value below 2^1528; look for one.
  Buffer out{};
  int32_t len = 0;
  testing::internal::CaptureStderr();
  for (int i = 0; i < 5000; ++i) {
    out.fill(0);
    GenerateDHPublicKey(out, len);
    if (len < 192) break;
  }
  testing::internal::GetCapturedStderr();
  ASSERT_LT(len, 192);
  EXPECT_NE(out[0], 0);
  EXPECT_TRUE(ZeroFrom(out, len));
}

TEST_F(PendingPair, SecretUsesTheLatestPairOnceAndOnlyOnce) {
  DhKeyPair camera;
  ASSERT_TRUE(camera.Generate());
  Buffer camera_public{};
  int camera_len = camera.PublicBytes(camera_public);

  Buffer first{}, second{};
  int32_t first_len = 0, second_len = 0;
  testing::internal::CaptureStderr();
  GenerateDHPublicKey(first, first_len);
  GenerateDHPublicKey(second, second_len);
  EXPECT_NE(first, second);

  Buffer secret{};
  int32_t secret_len = 7;
  GenerateDHSecreteKey(Bytes(camera_public.data(), camera_len), secret, secret_len);
  Buffer expected{};
  int expected_len = camera.Secret(Bytes(second.data(), second_len), expected);
  EXPECT_EQ(secret_len, expected_len);
  EXPECT_EQ(secret, expected);
  EXPECT_FALSE(HasPendingKeyPair());

  Buffer again{};
  int32_t again_len = 9;
  GenerateDHSecreteKey(Bytes(camera_public.data(), camera_len), again, again_len);
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(again_len, 0);
  EXPECT_TRUE(ZeroFrom(again, 0));
  EXPECT_NE(printed.find("GenerateDHSecreteKey Success\nGenerateDHSecreteKey EXIT\n"
                         "GenerateDHSecreteKey EXIT\n"),
            std::string::npos)
      << printed;
}

TEST_F(PendingPair, NoOutputBufferGivesLengthZeroAndDiscardsThePair) {
  Buffer out{};
  int32_t len = 0, secret_len = 3;
  testing::internal::CaptureStderr();
  GenerateDHPublicKey(out, len);
  GenerateDHSecreteKey(Bytes(out.data(), len), MutableBytes(), secret_len);
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(secret_len, 0);
  EXPECT_FALSE(HasPendingKeyPair());
  EXPECT_EQ(printed.find("GenerateDHSecreteKey Success"), std::string::npos);
}

}  // namespace
}  // namespace yov
