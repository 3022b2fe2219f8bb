// Conversions at the boundary and the exported helpers.
#include <gtest/gtest.h>

#include <cstdlib>

#include "api/text_codec.h"
#include "yovfinder.h"

namespace yov {
namespace {

TEST(TextCodec, Utf8RoundTrips) {
  const char* samples[] = {"", "camera", "Kamera-Büro", "カメラ", "\xF0\x9F\x93\xB7"};
  for (const char* s : samples) EXPECT_EQ(WideToUtf8(Utf8ToWide(s)), s) << s;
  EXPECT_EQ(Utf8ToWide("\xC3\xA9"), L"\u00E9");
}

TEST(TextCodec, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\uFFFD" L"b");
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(Utf8ToWide("\xE2\x82"), L"\uFFFD");        // cut short
}

TEST(TextCodec, LegacyCodepageOverride) {
  setenv("YOV_CODEPAGE", "CP1252", 1);
  EXPECT_EQ(WideToAnsi(L"caf\u00E9 \u20AC"), "caf\xE9 \x80");
  EXPECT_EQ(AnsiToWide("caf\xE9"), L"caf\u00E9");
  unsetenv("YOV_CODEPAGE");
}

TEST(ConversionExports, AllocateAndRelease) {
  wchar_t* wide = nullptr;
  ASSERT_EQ(YOVUTF8ToWChar("Büro", &wide), 0);
  ASSERT_NE(wide, nullptr);
  EXPECT_STREQ(wide, L"Büro");
  char* utf8 = nullptr;
  ASSERT_EQ(YOVWCharToUTF8(wide, &utf8), 0);
  EXPECT_STREQ(utf8, "Büro");
  YOVReleaseBuffer(wide);
  YOVReleaseBuffer(utf8);
  YOVReleaseBuffer(nullptr);
  EXPECT_EQ(YOVUTF8ToWChar(nullptr, &wide), -3);
  EXPECT_EQ(YOVUTF8ToWChar("x", nullptr), -3);
  EXPECT_EQ(YOVWCharToUTF8(nullptr, &utf8), -3);
}

}  // namespace
}  // namespace yov
