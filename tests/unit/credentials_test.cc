// The Base64 credential fields: sizes, padding, the 48-byte limit and the 8-bit conversion.
#include <gtest/gtest.h>

#include <cstdlib>

#include "security/credentials.h"

namespace yov {
namespace {

std::string FieldString(const CredentialField& f) {
  return std::string(f.begin(), std::find(f.begin(), f.end(), 0));
}
bool AllZero(const CredentialField& f) {
  return std::all_of(f.begin(), f.end(), [](uint8_t b) { return b == 0; });
}

TEST(CredentialField, Base64WithPaddingAndZerosBehind) {
  struct Case {
    std::string in, want;
  };
  for (const Case& c : std::vector<Case>{{"abc", "YWJj"},
                                         {"ab", "YWI="},
                                         {"a", "YQ=="},
                                         {"admin", "YWRtaW4="},
                                         {"\xff\xfe", "//4="}}) {
    CredentialField f = EncodeCredentialField(c.in);
    EXPECT_EQ(FieldString(f), c.want) << c.in;
    EXPECT_TRUE(std::all_of(f.begin() + c.want.size(), f.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(DecodeCredentialField(f), c.in);
  }
}

TEST(CredentialField, FortyEightBytesFillTheFieldFortyNineLeaveItZero) {
  CredentialField full = EncodeCredentialField(std::string(48, 'u'));
  EXPECT_TRUE(std::none_of(full.begin(), full.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(DecodeCredentialField(full), std::string(48, 'u'));
  EXPECT_TRUE(AllZero(EncodeCredentialField(std::string(49, 'u'))));
}

TEST(CredentialField, EmptyOrAbsentTextGivesZero) {
  std::wstring empty;
  EXPECT_TRUE(AllZero(EncodeCredentialText(nullptr)));
  EXPECT_TRUE(AllZero(EncodeCredentialText(&empty)));
  EXPECT_EQ(DecodeCredentialField(CredentialField{}), "");
}

TEST(CredentialField, WideTextIsEncodedInTheAnsiCodePage) {
  ::setenv("YOV_CODEPAGE", "CP1252", 1);
  std::wstring euro = L"\u20ac1";  // 0x80 '1' in CP1252
  EXPECT_EQ(FieldString(EncodeCredentialText(&euro)), "gDE=");
  ::setenv("YOV_CODEPAGE", "UTF-8", 1);
  EXPECT_EQ(FieldString(EncodeCredentialText(&euro)), "4oKsMQ==");  // E2 82 AC '1'
  ::unsetenv("YOV_CODEPAGE");
}

TEST(CredentialField, NotBase64IsRefusedByTheDecoder) {
  CredentialField f{};
  f[0] = 'a';
  f[1] = 'b';
  f[2] = 'c';  // 3 characters: not a whole quantum
  EXPECT_FALSE(DecodeCredentialField(f));
  f[3] = '!';
  EXPECT_FALSE(DecodeCredentialField(f));
}

TEST(CredentialBlock, UserAtZeroPasswordAtSixtyFour) {
  std::wstring user = L"admin", password = L"pw";
  CredentialBlock block = MakeCredentialBlock(&user, &password);
  std::array<uint8_t, 128> bytes{};
  PutCredentialBlock(bytes, block);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "YWRtaW4=");
  EXPECT_EQ(bytes[8], 0);
  EXPECT_EQ(std::string(bytes.begin() + 64, bytes.begin() + 68), "cHc=");
  EXPECT_EQ(GetCredentialBlock(bytes), block);
}

}  // namespace
}  // namespace yov
