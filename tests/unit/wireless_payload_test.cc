// Wireless, capability, simple wireless and site-survey payloads against byte tables written
// from the layouts (4-bit fields, text fields copied byte for byte).
#include <gtest/gtest.h>

#include "landap/simple_wireless_payload.h"
#include "landap/site_survey_payload.h"
#include "landap/wireless_payload.h"
#include "payload_bytes.h"

namespace yov::test {
namespace {

const char kSsid32[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";  // 32 characters

// A CmdGetWireless reply payload: the 238-byte block and the 14-byte capability block.
std::vector<uint8_t> WirelessTable() {
  std::vector<uint8_t> p(252, 0);
  p[0] = 1;                                 // WirelessEnabled
  p[1] = 11;                                // Channel
  Put(p, 2, kSsid32);
  // mode 1, encryption 3, authentication 4, WEP length 1, format 1, index 2, option 9
  Put(p, 38, {0x31, 0x14, 0x21, 0x09});
  Put(p, 42, "key-one");
  Put(p, 74, "key-two");
  Put(p, 106, "key-three");
  Put(p, 138, "key-four");
  Put(p, 170, "a passphrase with spaces");
  Put(p, 238, {0xFF, 0x1F, 0x00, 0x00});   // channels 1..13
  p[242] = 0x03;
  p[243] = 0x1F;
  p[244] = 0x3F;
  Put(p, 245, {7, 8, 9});
  Put(p, 248, {0x78, 0x56, 0x34, 0x12});
  return p;
}

TEST(WirelessPayload, ReplyIntoRecords) {
  auto reply = DecodeWirelessReply(WirelessTable());
  ASSERT_TRUE(reply);
  _YOVWireless w;
  std::memset(&w, 0xEE, sizeof w);
  FillWirelessRecord(reply->first, w);
  EXPECT_EQ(w.Version, 1u);
  EXPECT_EQ(w.Size, 268u);
  EXPECT_EQ(w.WirelessEnabled, 1u);
  EXPECT_EQ(w.WirelessMode, 1u);
  EXPECT_STREQ(w.Ssid, kSsid32);
  EXPECT_EQ(w.Channel, 11u);
  EXPECT_EQ(w.Authentication, 4u);
  EXPECT_EQ(w.Encryption, 3u);
  EXPECT_EQ(w.WepKeyLength, 1u);
  EXPECT_EQ(w.WepKeyFormat, 1u);
  EXPECT_EQ(w.WepKeyIndex, 2u);
  EXPECT_STREQ(w.WepKeys[0], "key-one");
  EXPECT_STREQ(w.WepKeys[3], "key-four");
  EXPECT_STREQ(w.Passphrase, "a passphrase with spaces");
  EXPECT_EQ(w.WirelessOption, 9u);

  _YOVWirelessCapability c;
  std::memset(&c, 0xEE, sizeof c);
  FillCapabilityRecord(reply->second, c);
  EXPECT_EQ(c.Version, 1u);
  EXPECT_EQ(c.Size, 16u);
  EXPECT_EQ(c.ChannelMask, 0x1FFFu);
  EXPECT_EQ(c.Modes, 3);
  EXPECT_EQ(c.Encryptions, 0x1F);
  EXPECT_EQ(c.Authentications, 0x3F);
  EXPECT_EQ(c.CapabilityBytes[2], 9);
  EXPECT_EQ(c.Pad18[0], 0xEE);
  EXPECT_EQ(c.CapabilityValue, 0x12345678u);
}

TEST(WirelessPayload, RecordReadAndWrittenBackGivesTheSameBytes) {
  auto table = WirelessTable();
  _YOVWireless w{};
  FillWirelessRecord(*DecodeWirelessBlock(table), w);
  auto block = EncodeWirelessBlock(WirelessBlockFromRecord(w));
  EXPECT_EQ(Vec(block), std::vector<uint8_t>(table.begin(), table.begin() + 238));
}

TEST(WirelessPayload, OnlyFourBitsOfEachFieldAreSent) {
  _YOVWireless w{};
  w.WirelessMode = 17;
  w.Encryption = 0x12;
  w.WirelessOption = 0xFF;
  w.WirelessEnabled = 0x100;  // wider than the byte, still "on"
  auto block = EncodeWirelessBlock(WirelessBlockFromRecord(w));
  EXPECT_EQ(block[0], 1);
  EXPECT_EQ(GetU32(block, 38), 0x0F000021u);
}

TEST(WirelessPayload, OverlongTextsAreCutToTheRecordWithATerminator) {
  auto table = WirelessTable();
  std::fill(table.begin() + 2, table.begin() + 38, 'S');     // 36 characters, no NUL
  std::fill(table.begin() + 170, table.begin() + 238, 'P');  // 68 characters, no NUL
  _YOVWireless w{};
  FillWirelessRecord(*DecodeWirelessBlock(table), w);
  EXPECT_EQ(std::string(w.Ssid), std::string(32, 'S'));
  EXPECT_EQ(std::string(w.Passphrase), std::string(64, 'P'));
}

std::vector<uint8_t> SimpleTable() {
  std::vector<uint8_t> p(108, 0);
  p[0] = 0x11;
  Put(p, 1, "simple-net");
  p[37] = 0x22;
  p[38] = 0x33;
  p[39] = 0x44;
  p[40] = 0x55;
  Put(p, 41, "secret key");
  return p;
}

TEST(SimpleWirelessPayload, BlockAndRecord) {
  _YOVSimpleWireless s;
  std::memset(&s, 0xEE, sizeof s);
  FillSimpleWirelessRecord(*DecodeSimpleWirelessBlock(SimpleTable()), s);
  EXPECT_EQ(s.Version, 1u);
  EXPECT_EQ(s.Size, 124u);
  EXPECT_EQ(s.SimpleValue1, 0x11u);
  EXPECT_STREQ(s.Ssid, "simple-net");
  EXPECT_EQ(s.SimpleValue2, 0x22u);
  EXPECT_EQ(s.SimpleValue3, 0x33u);
  EXPECT_EQ(s.SimpleValue4, 0x44u);
  EXPECT_EQ(s.SimpleValue5, 0x55u);
  EXPECT_STREQ(s.SimpleKey, "secret key");
  EXPECT_EQ(Vec(EncodeSimpleWirelessBlock(SimpleWirelessBlockFromRecord(s))), SimpleTable());
}

// A survey datagram payload with two stations and the mark.
std::vector<uint8_t> SurveyTable(uint16_t mark) {
  std::vector<uint8_t> p(2 * 36 + 4, 0);
  Put(p, 0, kSsid32);
  p[32] = 'Z';    // byte 32 is read as NUL whatever it holds
  p[33] = 87;     // signal
  p[34] = 0x30;   // mode 0, encryption 3
  p[35] = 0x54;   // authentication 4, channel 5 (channel 6)
  Put(p, 36, "cafe");
  p[36 + 33] = 40;
  p[36 + 34] = 0x11;
  p[36 + 35] = 0xA0;
  Put(p, 74, {static_cast<uint8_t>(mark), static_cast<uint8_t>(mark >> 8)});
  return p;
}

TEST(SiteSurveyPayload, StationsAndMark) {
  auto page = DecodeSurveyPage(SurveyTable(kSurveyMoreFollows));
  ASSERT_TRUE(page);
  EXPECT_EQ(page->mark, kSurveyMoreFollows);
  ASSERT_EQ(page->stations.size(), 2u);
  _YOVSiteSurveyStation s;
  FillStationRecord(page->stations[0], s);
  EXPECT_STREQ(s.Ssid, kSsid32);
  EXPECT_EQ(s.SignalStrength, 87u);
  EXPECT_EQ(s.StationMode, 0u);
  EXPECT_EQ(s.StationEncryption, 3u);
  EXPECT_EQ(s.StationAuthentication, 4u);
  EXPECT_EQ(s.StationChannel, 5u);
  FillStationRecord(page->stations[1], s);
  EXPECT_STREQ(s.Ssid, "cafe");
  EXPECT_EQ(s.StationMode, 1u);
  EXPECT_EQ(s.StationEncryption, 1u);
  EXPECT_EQ(s.StationAuthentication, 0u);
  EXPECT_EQ(s.StationChannel, 10u);
}

TEST(SiteSurveyPayload, EncodeMatchesTheLayout) {
  SurveyPage page = *DecodeSurveyPage(SurveyTable(0));
  auto want = SurveyTable(0);
  want[32] = 0;  // the encoder writes what was kept
  EXPECT_EQ(EncodeSurveyPage(page), want);
  EXPECT_FALSE(DecodeSurveyPage(Bytes(want).first(3)));
  EXPECT_TRUE(DecodeSurveyPage(Bytes(want).first(4))->stations.empty());
}

}  // namespace
}  // namespace yov::test
