// Wireless reads and writes, option codes, site survey, provider list, WPS PIN and association
// state, through the exports against a scripted camera in virtual time.
#include "camera_fixture.h"

namespace yov::test {
namespace {

class WirelessOpsTest : public CameraFixture {};

// A CmdGetWireless reply payload: the 238-byte block, then the 14-byte capability block.
std::vector<uint8_t> WirelessReply() {
  std::vector<uint8_t> p(252, 0);
  p[0] = 1;
  p[1] = 6;
  Put(p, 2, "home-net");
  Put(p, 38, {0x40, 0x05, 0x00, 0x03});  // mode 0, TKIP or AES, WPA or WPA2, option 3
  Put(p, 170, "correct horse");
  Put(p, 238, {0xFF, 0x07, 0, 0});
  p[242] = 1;
  return p;
}

TEST_F(WirelessOpsTest, RecordReadAndWrittenBackUnchangedSendsTheSameBytes) {
  camera = [](const Sent& r, const LandapHeader& h) {
    return h.command == CmdGetWireless ? Reply(r, WirelessReply()) : Result(r, 0, 0);
  };
  _YOVWireless w{};
  unsigned long size = sizeof w;
  ASSERT_EQ(YOVGetWireless(finder, 0, &w, &size), 0);
  EXPECT_EQ(w.Encryption, 4u);
  EXPECT_EQ(w.Authentication, 5u);

  EXPECT_EQ(YOVSetWireless(finder, 0, &w, 272, nullptr, 0), -1);
  EXPECT_TRUE(SentOf(CmdSetWireless).empty());
  EXPECT_EQ(YOVSetWireless(finder, 0, &w, 276, nullptr, 0), 0);
  auto sent = SentOf(CmdSetWireless);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(DecodeHeader(sent[0].data)->payload_length, 366);
  auto want = WirelessReply();
  want.resize(238);
  EXPECT_EQ(PayloadOf(sent[0], 128, 238), want);
}

TEST_F(WirelessOpsTest, CapabilityFromTheWirelessReply) {
  camera = [](const Sent& r, const LandapHeader&) { return Reply(r, WirelessReply()); };
  _YOVWirelessCapability c{};
  unsigned long size = 20;
  EXPECT_EQ(YOVGetWirelessCapability(finder, 0, &c, &size), -6);
  EXPECT_EQ(size, 24u);
  EXPECT_TRUE(env.sent.empty());
  ASSERT_EQ(YOVGetWirelessCapability(finder, 0, &c, &size), 0);
  EXPECT_EQ(c.ChannelMask, 0x7FFu);
  EXPECT_EQ(c.Modes, 1);
}

TEST_F(WirelessOpsTest, GettersWriteTheSizeBackWhenTheBufferIsSmall) {
  struct Case {
    const char* name;
    std::function<int(unsigned long*)> call;
    unsigned long full;
  };
  _YOVCamDatetime dt;
  _YOVAdvNetwork adv;
  _YOVWireless w;
  _YOVSimpleWireless s;
  _YOVWirelessAssociatedStatus a;
  for (const Case& c : std::vector<Case>{
           {"datetime", [&](unsigned long* n) { return YOVGetCameraDatetime(finder, 0, &dt, n); }, 116},
           {"adv network", [&](unsigned long* n) { return YOVGetAdvNetwork(finder, 0, &adv, n); }, 348},
           {"wireless", [&](unsigned long* n) { return YOVGetWireless(finder, 0, &w, n); }, 276},
           {"simple", [&](unsigned long* n) { return YOVGetSimpleWireless(finder, 0, &s, n); }, 132},
           {"association", [&](unsigned long* n) { return YOVGetWirelessAssociatedStatus(finder, 0, &a, n); }, 44}}) {
    unsigned long size = c.full - 1;
    EXPECT_EQ(c.call(&size), -4) << c.name;
    EXPECT_EQ(size, c.full) << c.name;
    EXPECT_EQ(c.call(nullptr), -3) << c.name;
  }
  EXPECT_TRUE(env.sent.empty());
}

TEST_F(WirelessOpsTest, SimpleWirelessSetNeedsTheFullSize) {
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 0, 0); };
  _YOVSimpleWireless s{};
  s.Version = 1;
  s.Size = 124;
  SetField(s.Ssid, "net");
  EXPECT_EQ(YOVSetSimpleWireless(finder, 0, &s, 131, nullptr, 0), -1);
  EXPECT_EQ(YOVSetSimpleWireless(finder, 0, &s, 132, nullptr, 0), 0);
  auto sent = SentOf(CmdSetSimpleWireless);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(DecodeHeader(sent[0].data)->payload_length, 236);
  EXPECT_EQ(PayloadOf(sent[0], 129, 4), (std::vector<uint8_t>{'n', 'e', 't', 0}));
}

std::vector<uint8_t> Codes(std::initializer_list<uint16_t> codes) {
  std::vector<uint8_t> p;
  for (uint16_t c : codes) p.insert(p.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)});
  return p;
}

TEST_F(WirelessOpsTest, OptionCodesAreAskedOnceAndKeptFrom166To201) {
  camera = [](const Sent& r, const LandapHeader&) {
    return Reply(r, Codes({165, 172, 173, 177, 192, 201, 202}));
  };
  unsigned short codes[8] = {};
  int count = 2;
  EXPECT_EQ(YOVGetLANDAPOptionCmd(finder, 0, codes, &count), -4);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(SentOf(CmdGetOptionCmds).size(), 1u);
  EXPECT_EQ(YOVGetLANDAPOptionCmd(finder, 0, codes, &count), 0);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(std::vector<unsigned short>(codes, codes + 5),
            (std::vector<unsigned short>{172, 173, 177, 192, 201}));
  EXPECT_EQ(SentOf(CmdGetOptionCmds).size(), 1u);  // the second call sent nothing
}

TEST_F(WirelessOpsTest, OptionCodesNoneKnownAreAskedAgainAndRefusalsFail) {
  camera = [](const Sent& r, const LandapHeader&) { return Reply(r, Codes({165, 300})); };
  unsigned short codes[4];
  int count = 4;
  EXPECT_EQ(YOVGetLANDAPOptionCmd(finder, 0, codes, &count), 0);
  EXPECT_EQ(count, 0);
  camera = [](const Sent& r, const LandapHeader&) { return Reply(r, {}, 4); };
  EXPECT_EQ(YOVGetLANDAPOptionCmd(finder, 0, codes, &count), -1);
  EXPECT_EQ(SentOf(CmdGetOptionCmds).size(), 2u);  // a refusal ends the loop at once
}

// One survey datagram of `n` stations named "ap<k>" with the continuation mark.
std::vector<uint8_t> SurveyPage(int first, int n, uint16_t mark) {
  std::vector<uint8_t> p(n * 36 + 4, 0);
  for (int k = 0; k < n; ++k) {
    Put(p, k * 36, ("ap" + std::to_string(first + k)).c_str());
    p[k * 36 + 33] = static_cast<uint8_t>(first + k);
  }
  Put(p, n * 36 + 2, {static_cast<uint8_t>(mark), static_cast<uint8_t>(mark >> 8)});
  return p;
}

TEST_F(WirelessOpsTest, SurveyOverTwoDatagramsYieldsAllStations) {
  camera = [](const Sent& r, const LandapHeader&) {
    return Datagrams{ReplyTo(r.data, SurveyPage(0, 20, 0xFFFF)), ReplyTo(r.data, SurveyPage(20, 5, 0))};
  };
  std::vector<_YOVSiteSurveyStation> stations(128);
  int count = 10;
  EXPECT_EQ(YOVGetWirelessSiteSurInfo(finder, 0, stations.data(), &count), -4);
  EXPECT_EQ(count, 25);
  count = 128;
  ASSERT_EQ(YOVGetWirelessSiteSurInfo(finder, 0, stations.data(), &count), 0);
  EXPECT_EQ(count, 25);
  EXPECT_STREQ(stations[0].Ssid, "ap0");
  EXPECT_STREQ(stations[24].Ssid, "ap24");
  EXPECT_EQ(stations[24].SignalStrength, 24u);
}

TEST_F(WirelessOpsTest, SurveyWithAMissingDatagramFails) {
  camera = [](const Sent& r, const LandapHeader&) { return Reply(r, SurveyPage(0, 20, 0xFFFF)); };
  std::vector<_YOVSiteSurveyStation> stations(128);
  int count = 128;
  EXPECT_EQ(YOVGetWirelessSiteSurInfo(finder, 0, stations.data(), &count), -1);
  EXPECT_EQ(SentOf(CmdGetSiteSurvey).size(), 1u);
}

TEST_F(WirelessOpsTest, ProviderListIsReadAgainOnlyAfterAMinute) {
  camera = [](const Sent& r, const LandapHeader&) {
    std::vector<uint8_t> p(525, 0);
    p[324] = 1;
    Put(p, 325, "DynDNS;No-IP");
    return Reply(r, p);
  };
  int count = 0;
  EXPECT_EQ(YOVGetDDNSProvidersCount(finder, 0, &count), 0);
  EXPECT_EQ(count, 2);
  char name[16];
  EXPECT_EQ(YOVGetDDNSProviderList(finder, 0, 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "No-IP");
  EXPECT_EQ(SentOf(CmdGetAdvNetwork).size(), 1u);
  EXPECT_EQ(YOVGetDDNSProviderList(finder, 0, 2, name, sizeof name), -1);
  EXPECT_EQ(YOVGetDDNSProviderList(finder, 0, 0, name, 4), -4);
  EXPECT_STREQ(name, "Dyn");
  EXPECT_EQ(YOVGetDDNSProviderList(finder, 0, 0, nullptr, 4), -3);
  env.now += 60001;
  EXPECT_EQ(YOVGetDDNSProvidersCount(finder, 0, &count), 0);
  EXPECT_EQ(SentOf(CmdGetAdvNetwork).size(), 2u);
}

TEST_F(WirelessOpsTest, WpsPin) {
  std::string pin = "12345670";
  camera = [&](const Sent& r, const LandapHeader&) {
    std::vector<uint8_t> p(16, 0);
    Put(p, 0, pin.c_str());
    return Reply(r, p);
  };
  char buffer[16];
  EXPECT_EQ(YOVGetCameraWPSPIN(finder, 0, buffer, 8, 0), -4);
  EXPECT_TRUE(env.sent.empty());
  EXPECT_EQ(YOVGetCameraWPSPIN(finder, 0, nullptr, 16, 0), -3);
  ASSERT_EQ(YOVGetCameraWPSPIN(finder, 0, buffer, 9, 0), 0);
  EXPECT_STREQ(buffer, "12345670");
  pin = "";
  EXPECT_EQ(YOVGetCameraWPSPIN(finder, 0, buffer, 16, 0), -1);
}

TEST_F(WirelessOpsTest, AssociationStateNeedsTheLongReply) {
  camera = [](const Sent& r, const LandapHeader&) {
    std::vector<uint8_t> p(44, 0);
    Put(p, 0, {2, 0, 0, 0});
    Put(p, 4, {3, 0, 0, 0});
    Put(p, 8, "associated");
    return Reply(r, p);
  };
  _YOVWirelessAssociatedStatus a{};
  unsigned long size = 44;
  ASSERT_EQ(YOVGetWirelessAssociatedStatus(finder, 0, &a, &size), 0);
  EXPECT_EQ(a.AssocValue1, 2u);
  EXPECT_EQ(a.AssocValue2, 3u);
  EXPECT_STREQ(a.AssocText, "associated");
  // The 4-byte form of CmdWirelessStatus is not an association state.
  camera = [](const Sent& r, const LandapHeader&) { return Reply(r, {1, 1, 0, 0}); };
  EXPECT_EQ(YOVGetWirelessAssociatedStatus(finder, 0, &a, &size), -1);
}

}  // namespace
}  // namespace yov::test
