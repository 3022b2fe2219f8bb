// The 312- and 304-byte search payloads against byte tables written from the layouts.
#include <gtest/gtest.h>

#include <cstring>

#include "landap/camera_info_payload.h"

namespace yov {
namespace {

void Put(std::vector<uint8_t>& p, size_t at, const char* text) { std::memcpy(&p[at], text, std::strlen(text)); }
void Put(std::vector<uint8_t>& p, size_t at, std::initializer_list<uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), p.begin() + at);
}

// A camera-information payload built offset by offset.
std::vector<uint8_t> InfoTable() {
  std::vector<uint8_t> p(312, 0);
  Put(p, 0, "Yovision");
  Put(p, 64, "info one");
  Put(p, 128, "YC-200W");
  Put(p, 160, "fw 2.1");
  Put(p, 192, {0x34, 0x12});                    // InfoValue1 0x1234
  Put(p, 194, {0x01, 0x00, 0x00, 0x80});        // Capabilities 0x80000001
  Put(p, 198, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
  Put(p, 204, "Front door");
  Put(p, 268, {192, 168, 50, 20});              // address, network order
  Put(p, 272, {0x50, 0x00});                    // port 80
  p[274] = 0x03;                                // Flags
  p[275] = 0x11;                                // NetOption
  Put(p, 276, {255, 255, 255, 0});
  Put(p, 280, {192, 168, 50, 1});
  Put(p, 284, {8, 8, 8, 8});
  Put(p, 288, {1, 1, 1, 1});
  p[292] = 5;                                   // DHCP byte, passed on as it is
  Put(p, 293, "20261211093005");
  Put(p, 309, {0xCD, 0xAB});
  p[311] = 0x77;
  return p;
}

TEST(CameraInfoPayload, FillsTheVersionOneRecord) {
  std::vector<uint8_t> table = InfoTable();
  auto info = DecodeCameraInfo(table);
  ASSERT_TRUE(info);
  _YOVCamSettings r;
  std::memset(&r, 0xEE, sizeof r);
  FillCamSettingsV1(*info, r);
  EXPECT_EQ(r.Version, 1u);
  EXPECT_EQ(r.Size, 480u);
  EXPECT_EQ(r.DhcpEnabled, 5u);
  EXPECT_STREQ(r.IpAddress, "192.168.50.20");
  EXPECT_STREQ(r.SubnetMask, "255.255.255.0");
  EXPECT_STREQ(r.Gateway, "192.168.50.1");
  EXPECT_STREQ(r.PrimaryDns, "8.8.8.8");
  EXPECT_STREQ(r.SecondaryDns, "1.1.1.1");
  EXPECT_EQ(r.NetOption, 0x11);
  EXPECT_EQ(r.Flags, 0x03);
  EXPECT_STREQ(r.CameraName, "Front door");
  EXPECT_EQ(r.HttpPort, 80);
  const uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  EXPECT_EQ(std::memcmp(r.MacAddress, mac, 6), 0);
  EXPECT_STREQ(r.Brand, "Yovision");
  EXPECT_STREQ(r.InfoText1, "info one");
  EXPECT_STREQ(r.Model, "YC-200W");
  EXPECT_STREQ(r.InfoText2, "fw 2.1");
  EXPECT_EQ(r.InfoValue1, 0x1234);
  EXPECT_EQ(r.Capabilities, 0x80000001u);
  EXPECT_EQ(r.CameraTime.Year, 2026);
  EXPECT_EQ(r.CameraTime.Month, 12);
  EXPECT_EQ(r.CameraTime.Day, 11);
  EXPECT_EQ(r.CameraTime.Hour, 9);
  EXPECT_EQ(r.CameraTime.Minute, 30);
  EXPECT_EQ(r.CameraTime.Second, 5);
  EXPECT_EQ(r.CameraTime.DayOfWeek, 0xEEEE);  // not set by the payload
  EXPECT_EQ(r.InfoValue3, 0xABCD);
  EXPECT_EQ(r.InfoValue4, 0x77);
  // Fields of the other version keep the caller's bytes.
  EXPECT_EQ(static_cast<uint8_t>(r.RemoteText1[0]), 0xEE);
  EXPECT_EQ(r.RemoteValue, 0xEEEE);
}

TEST(CameraInfoPayload, EncodesTheSameBytes) {
  std::vector<uint8_t> table = InfoTable();
  auto encoded = EncodeCameraInfo(*DecodeCameraInfo(table));
  EXPECT_EQ(std::vector<uint8_t>(encoded.begin(), encoded.end()), table);
}

TEST(CameraInfoPayload, ShortDateTextLeavesTheCallersTime) {
  std::vector<uint8_t> table = InfoTable();
  std::memset(&table[293], 0, 14);
  Put(table, 293, "2026121");
  _YOVCamSettings r{};
  r.CameraTime.Year = 1999;
  FillCamSettingsV1(*DecodeCameraInfo(table), r);
  EXPECT_EQ(r.CameraTime.Year, 1999);
}

TEST(CameraInfoPayload, OnlyExactSizesDecode) {
  EXPECT_FALSE(DecodeCameraInfo(std::vector<uint8_t>(311)));
  EXPECT_FALSE(DecodeCameraInfo(std::vector<uint8_t>(313)));
  EXPECT_FALSE(DecodeRemoteInfo(std::vector<uint8_t>(312)));
}

TEST(RemoteInfoPayload, FillsTheVersionTwoRecord) {
  std::vector<uint8_t> p(304, 0);
  Put(p, 0, "Yovision");
  Put(p, 64, "YC-100");
  Put(p, 96, "fw 1.0");
  Put(p, 128, "remote two");
  Put(p, 160, {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x01});
  Put(p, 166, "Garage");
  Put(p, 230, "remote one");
  Put(p, 294, {10, 1, 2, 3});
  Put(p, 298, {0x90, 0x1F});  // 8080
  Put(p, 300, {0x02, 0x01});
  auto info = DecodeRemoteInfo(p);
  ASSERT_TRUE(info);
  _YOVCamSettings r;
  std::memset(&r, 0, sizeof r);
  r.DhcpEnabled = 9;
  FillCamSettingsV2(*info, r);
  EXPECT_EQ(r.Version, 2u);
  EXPECT_EQ(r.Size, 480u);
  EXPECT_STREQ(r.IpAddress, "10.1.2.3");
  EXPECT_STREQ(r.CameraName, "Garage");
  EXPECT_EQ(r.HttpPort, 8080);
  EXPECT_EQ(r.MacAddress[5], 1);
  EXPECT_STREQ(r.Brand, "Yovision");
  EXPECT_STREQ(r.Model, "YC-100");
  EXPECT_STREQ(r.InfoText2, "fw 1.0");
  EXPECT_STREQ(r.RemoteText1, "remote one");
  EXPECT_STREQ(r.RemoteText2, "remote two");
  EXPECT_EQ(r.RemoteValue, 0x0102);
  EXPECT_EQ(r.DhcpEnabled, 9u);  // not a version-2 field
  auto encoded = EncodeRemoteInfo(*info);
  EXPECT_EQ(std::vector<uint8_t>(encoded.begin(), encoded.end()), p);
}

TEST(AddressText, ParsesLikeTheDottedDecimalParser) {
  EXPECT_EQ(AddressText(ParseAddress("192.168.0.1")), "192.168.0.1");
  EXPECT_EQ(ParseAddress("255.255.255.255"), 0u);
  EXPECT_EQ(ParseAddress(""), 0u);
  EXPECT_EQ(ParseAddress("300.1.1.1"), 0u);
  EXPECT_EQ(AddressText(0), "0.0.0.0");
}

}  // namespace
}  // namespace yov
