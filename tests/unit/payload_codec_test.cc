// Result, date-time, advanced-network, option-code and small wireless payloads against byte
// tables written from the layouts.
#include <gtest/gtest.h>

#include "landap/adv_network_payload.h"
#include "landap/camera_info_payload.h"
#include "landap/datetime_payload.h"
#include "landap/option_commands.h"
#include "landap/result_payload.h"
#include "landap/wireless_status_payload.h"
#include "payload_bytes.h"

namespace yov::test {
namespace {

// ---- Result payload ----

struct ResultCase {
  const char* name;
  uint16_t status;
  std::vector<uint8_t> payload;
  SetReplyResult result;
  _YOVFinderResult triple;
};

TEST(ResultPayload, StatusAndPayloadGiveTheTriple) {
  const std::vector<ResultCase> cases = {
      {"accepted 16 bytes", 0,
       {0, 0, 0, 0, 5, 0, 0, 0, 0xC4, 0x09, 0, 0, 0, 0, 0, 0}, kReplyAccepted, {0, 5, 2500}},
      {"accepted 4 bytes", 0, {9, 0, 0, 0}, kReplyAccepted, {0, 9, 0}},
      {"refused 4 bytes", 7, {12, 0, 0, 0}, kReplyRefused, {12, 0, 0}},
      {"refused 16 bytes", 7, {0x2B, 0x04, 0, 0, 5, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0},
       kReplyRefused, {1067, 0, 0}},
      {"refused other length", 7, {12, 0, 0, 0, 0, 0, 0, 0}, kReplyRefused, {0, 0, 0}},
      {"accepted other length", 0, {12, 0, 0, 0, 0, 0, 0, 0}, kReplyAccepted, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    _YOVFinderResult triple{77, 77, 77};
    auto r = DecodeSetReply(c.status, static_cast<uint16_t>(c.payload.size()), c.payload, triple);
    EXPECT_EQ(r, c.result) << c.name;
    EXPECT_EQ(triple.ErrorCode, c.triple.ErrorCode) << c.name;
    EXPECT_EQ(triple.Value, c.triple.Value) << c.name;
    EXPECT_EQ(triple.WaitTime, c.triple.WaitTime) << c.name;
  }
}

TEST(ResultPayload, CredentialsRefusedLeavesTheTriple) {
  std::vector<uint8_t> p = {1, 0, 0, 0};
  _YOVFinderResult triple{3, 4, 5};
  EXPECT_EQ(DecodeSetReply(kStatusAuthRefused, 4, p, triple), kReplyAuthRefused);
  EXPECT_EQ(triple.ErrorCode, 3);
  EXPECT_EQ(triple.WaitTime, 5u);
}

TEST(ResultPayload, EncodesWordsAtTheirOffsets) {
  std::vector<uint8_t> want(16, 0);
  Put(want, 0, {1, 0, 0, 0});
  Put(want, 4, {2, 0, 0, 0});
  Put(want, 8, {0xB8, 0x0B, 0, 0});  // 3000
  Put(want, 12, {0x78, 0x56, 0x34, 0x12});
  EXPECT_EQ(Vec(EncodeResultPayload({1, 2, 3000, 0x12345678})), want);
  EXPECT_EQ(Vec(EncodeResultWord(12)), (std::vector<uint8_t>{12, 0, 0, 0}));
}

// ---- Camera settings block sent by CmdSetCameraInfo ----

TEST(SettingsBlock, FromRecordInPayloadLayout) {
  _YOVCamSettings rec{};
  rec.Version = 1;
  rec.Size = 156;
  rec.DhcpEnabled = 1;
  SetField(rec.IpAddress, "192.168.1.20");
  SetField(rec.SubnetMask, "255.255.255.0");
  SetField(rec.Gateway, "255.255.255.255");  // sent as 0
  SetField(rec.PrimaryDns, "not an address");  // sent as 0
  SetField(rec.SecondaryDns, "1.0.0.1");
  rec.NetOption = 0x22;
  rec.Flags = 0x03;
  SetField(rec.CameraName, "Porch");
  rec.HttpPort = 8080;

  std::vector<uint8_t> want(89, 0);
  Put(want, 0, "Porch");
  Put(want, 64, {192, 168, 1, 20});
  Put(want, 68, {0x90, 0x1F});
  want[70] = 0x03;  // Flags
  want[71] = 0x22;  // NetOption
  Put(want, 72, {255, 255, 255, 0});
  Put(want, 84, {1, 0, 0, 1});
  want[88] = 1;
  std::vector<uint8_t> got(89);
  EncodeSettingsBlock(SettingsBlockFromRecord(rec), got);
  EXPECT_EQ(got, want);
}

// ---- Date-time block ----

std::vector<uint8_t> DatetimeTable() {
  std::vector<uint8_t> p(100, 0);
  Put(p, 0, "20261211093005");
  Put(p, 16, {0x34, 0x12});  // TimeOption1
  p[18] = 0xAB;              // TimeOption2
  p[19] = 0x05;              // TimeOption3
  Put(p, 20, "pool.ntp.org");
  return p;
}

TEST(DatetimeBlock, ReadIntoRecord) {
  _YOVCamDatetime rec;
  std::memset(&rec, 0xEE, sizeof rec);
  FillDatetimeRecord(*DecodeDatetimeBlock(DatetimeTable()), rec);
  EXPECT_EQ(rec.Version, 1u);
  EXPECT_EQ(rec.Size, 108u);
  EXPECT_EQ(rec.CameraTime.Year, 2026);
  EXPECT_EQ(rec.CameraTime.Month, 12);
  EXPECT_EQ(rec.CameraTime.Day, 11);
  EXPECT_EQ(rec.CameraTime.Hour, 9);
  EXPECT_EQ(rec.CameraTime.Minute, 30);
  EXPECT_EQ(rec.CameraTime.Second, 5);
  EXPECT_EQ(rec.CameraTime.DayOfWeek, 0xEEEE);  // neither read nor written
  EXPECT_EQ(rec.TimeOption1, 0x1234);
  EXPECT_EQ(rec.Pad26[0], 0xEE);  // padding keeps its content
  EXPECT_EQ(rec.TimeOption2, 0xABu);
  EXPECT_EQ(rec.TimeOption3, 5u);
  EXPECT_STREQ(rec.TimeText, "pool.ntp.org");
}

TEST(DatetimeBlock, ShortDateTextLeavesTheTime) {
  auto table = DatetimeTable();
  std::fill(table.begin(), table.begin() + 16, 0);
  Put(table, 0, "2026121");  // 7 digits
  _YOVCamDatetime rec{};
  rec.CameraTime.Year = 1999;
  FillDatetimeRecord(*DecodeDatetimeBlock(table), rec);
  EXPECT_EQ(rec.CameraTime.Year, 1999);
}

TEST(DatetimeBlock, WrittenFromRecord) {
  _YOVCamDatetime rec{};
  rec.Version = 1;
  rec.Size = 108;
  rec.CameraTime = {2026, 12, 4, 11, 9, 30, 5, 999};
  rec.TimeOption1 = 0x1234;
  rec.TimeOption2 = 0x1AB;  // cut to 8 bits
  rec.TimeOption3 = 5;
  SetField(rec.TimeText, "pool.ntp.org");
  EXPECT_EQ(Vec(EncodeDatetimeBlock(DatetimeBlockFromRecord(rec))), DatetimeTable());
}

// ---- Advanced network ----

std::vector<uint8_t> AdvReplyTable() {
  std::vector<uint8_t> p(525, 0);
  p[0] = 0;
  Put(p, 1, "dsl-user");
  Put(p, 65, "dsl-pass");
  p[129] = 0x05;  // Flag0 and PppoeEnabled
  p[130] = 0x0F;  // mask byte
  p[131] = 0x42;  // AdvOption
  Put(p, 132, "text one");
  Put(p, 196, "text two");
  Put(p, 260, "text three");
  p[324] = 1;
  Put(p, 325, "DynDNS;No-IP;;Hidden");
  return p;
}

TEST(AdvNetwork, ReplyIntoRecordAndProviders) {
  auto reply = DecodeAdvNetworkReply(AdvReplyTable());
  ASSERT_TRUE(reply);
  _YOVAdvNetwork rec{};
  FillAdvNetworkRecord(reply->block, rec);
  EXPECT_EQ(rec.Version, 1u);
  EXPECT_EQ(rec.Size, 340u);
  EXPECT_EQ(rec.ValidMask, 0x0Fu);
  EXPECT_EQ(rec.Flag0, 1u);
  EXPECT_EQ(rec.PppoeEnabled, 4u);
  EXPECT_EQ(rec.Flag1, 0u);
  EXPECT_STREQ(rec.PppoeUser, "dsl-user");
  EXPECT_STREQ(rec.PppoePassword, "dsl-pass");
  EXPECT_EQ(rec.AdvOption, 0x42);
  EXPECT_STREQ(rec.AdvText1, "text one");
  EXPECT_STREQ(rec.AdvText3, "text three");
  // The split stops at the first empty name.
  EXPECT_EQ(SplitProviderNames(ProviderText(*reply)), (std::vector<std::string>{"DynDNS", "No-IP"}));
  reply->has_providers = 0;
  EXPECT_EQ(ProviderText(*reply), "");
}

TEST(AdvNetwork, ProviderSplitting) {
  EXPECT_TRUE(SplitProviderNames("").empty());
  EXPECT_EQ(SplitProviderNames("a;b;"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitProviderNames("only"), (std::vector<std::string>{"only"}));
  EXPECT_TRUE(SplitProviderNames(";a").empty());
}

TEST(AdvNetwork, WrittenFromRecordFollowsTheMask) {
  _YOVAdvNetwork rec{};
  rec.Version = 1;
  rec.Size = 340;
  rec.Flag0 = 7;         // any non-zero value sets bit 0
  rec.Flag1 = 1;         // its mask bit is clear: not sent
  rec.PppoeEnabled = 1;
  rec.ValidMask = 0x10D;  // bits 0, 2, 3 (and 8, beyond the mask byte)
  SetField(rec.PppoeUser, "u");
  SetField(rec.PppoePassword, "p");
  rec.AdvOption = 9;
  SetField(rec.AdvText2, "two");

  std::vector<uint8_t> want(324, 0);
  want[0] = 1;
  Put(want, 1, "u");
  Put(want, 65, "p");
  want[129] = 0x05;
  want[130] = 0x0D;
  want[131] = 9;
  Put(want, 196, "two");
  EXPECT_EQ(Vec(EncodeAdvNetworkBlock(AdvNetworkBlockFromRecord(rec))), want);

  // Flag0 read back shows 1.
  _YOVAdvNetwork back{};
  FillAdvNetworkRecord(*DecodeAdvNetworkBlock(want), back);
  EXPECT_EQ(back.Flag0, 1u);
}

TEST(AdvNetwork, MaskZeroSendsNoFlagsAndNoCredentials) {
  _YOVAdvNetwork rec{};
  rec.Version = 1;
  rec.Size = 340;
  rec.Flag0 = rec.Flag1 = rec.PppoeEnabled = 1;
  SetField(rec.PppoeUser, "u");
  SetField(rec.PppoePassword, "p");
  auto bytes = EncodeAdvNetworkBlock(AdvNetworkBlockFromRecord(rec));
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[65], 0);
  EXPECT_EQ(bytes[129], 0);
  EXPECT_EQ(bytes[130], 0);
}

// ---- Option codes, association state, WPS PIN ----

TEST(OptionCodes, LittleEndianWords) {
  std::vector<uint8_t> p = {0xA5, 0x00, 0xA6, 0x00, 0xC9, 0x00, 0xCA, 0x00, 0x01};
  EXPECT_EQ(DecodeOptionCodes(p), (std::vector<uint16_t>{165, 166, 201, 202}));
  std::vector<uint16_t> codes = {166, 0x1234};
  EXPECT_EQ(EncodeOptionCodes(codes), (std::vector<uint8_t>{0xA6, 0x00, 0x34, 0x12}));
  EXPECT_FALSE(IsKeptOptionCode(165));
  EXPECT_TRUE(IsKeptOptionCode(166));
  EXPECT_TRUE(IsKeptOptionCode(201));
  EXPECT_FALSE(IsKeptOptionCode(202));
}

TEST(AssociationState, TextKeepsATerminator) {
  std::vector<uint8_t> p(44, 0);
  Put(p, 0, {1, 0, 0, 0});
  Put(p, 4, {0, 1, 0, 0});
  std::fill(p.begin() + 8, p.end(), 'x');  // 36 characters, no NUL
  _YOVWirelessAssociatedStatus rec{};
  FillAssociationRecord(*DecodeAssociationState(p), rec);
  EXPECT_EQ(rec.AssocValue1, 1u);
  EXPECT_EQ(rec.AssocValue2, 256u);
  EXPECT_EQ(std::string(rec.AssocText), std::string(35, 'x'));
  EXPECT_EQ(Vec(EncodeAssociationState(*DecodeAssociationState(p))), p);
}

TEST(WpsPinReply, TextUpToItsNul) {
  std::vector<uint8_t> p(16, 0);
  Put(p, 0, "01234565");
  EXPECT_EQ(*DecodeWpsPin(p), "01234565");
  EXPECT_EQ(Vec(EncodeWpsPin("01234565")), p);
  EXPECT_FALSE(DecodeWpsPin(Bytes(p).first(15)));
}

}  // namespace
}  // namespace yov::test
