// Advanced network, provider list, wireless and simple wireless settings, option codes, site
// survey, WPS PIN and association state against camsim: each export, then what the camera
// received and the state it keeps.
#include <cstring>

#include "landap/landap_header.h"
#include "ops_lab.h"

namespace opslab {
namespace {

const json kWireless = {{"enabled", 1},        {"channel", 6},          {"ssid", "HomeNet"},
                        {"mode", 0},           {"encryption", 4},       {"authentication", 5},
                        {"wep_key_index", 2},  {"option", 3},
                        {"wep_keys", {"k1", "k2", "k3", "k4"}},         {"passphrase", "correct horse"}};

TEST_F(OpsLabTest, WirelessReadAndWrittenBack) {
  StartCamera({{"wireless", kWireless},
               {"wireless_capability", {{"channel_mask", 0x1FFF}, {"modes", 3}, {"value", 77}}}});
  _YOVWireless w{};
  unsigned long size = sizeof w;
  ASSERT_EQ(YOVGetWireless(finder.h, 0, &w, &size), 0);
  EXPECT_STREQ(w.Ssid, "HomeNet");
  EXPECT_EQ(w.Encryption, 4u);
  EXPECT_EQ(w.WepKeyIndex, 2u);
  EXPECT_STREQ(w.Passphrase, "correct horse");

  // Written back unchanged: the camera receives the very block it sent.
  EXPECT_EQ(YOVSetWireless(finder.h, 0, &w, 272, nullptr, 0), -1);
  EXPECT_TRUE(sim->Received(yov::CmdSetWireless).empty());
  ASSERT_EQ(YOVSetWireless(finder.h, 0, &w, 276, nullptr, 0), 0);
  auto sent = labtest::Hex(sim->Sent(yov::CmdGetWireless).back()["payload"]);
  sent.resize(238);
  EXPECT_EQ(LastFields(yov::CmdSetWireless), sent);

  std::strcpy(w.Ssid, "Office");
  std::strcpy(w.Passphrase, "battery staple");
  w.WirelessMode = 17;  // only 4 bits travel
  ASSERT_EQ(YOVSetWireless(finder.h, 0, &w, 276, nullptr, 0), 0);
  json state = State()["wireless"];
  EXPECT_EQ(state["ssid"], "Office");
  EXPECT_EQ(state["passphrase"], "battery staple");
  EXPECT_EQ(state["mode"], 1);

  _YOVWirelessCapability c{};
  size = 20;
  EXPECT_EQ(YOVGetWirelessCapability(finder.h, 0, &c, &size), -6);
  EXPECT_EQ(size, 24u);
  ASSERT_EQ(YOVGetWirelessCapability(finder.h, 0, &c, &size), 0);
  EXPECT_EQ(c.ChannelMask, 0x1FFFu);
  EXPECT_EQ(c.Modes, 3);
  EXPECT_EQ(c.CapabilityValue, 77u);
}

TEST_F(OpsLabTest, SimpleWirelessAndAdvancedNetwork) {
  StartCamera({{"simple_wireless", {{"value1", 1}, {"ssid", "Cafe"}, {"key", "k"}}},
               {"adv_network",
                {{"pppoe_user", "dsl"}, {"flags", 1}, {"mask", 7}, {"providers", "DynDNS;No-IP"}}}});
  _YOVSimpleWireless s{};
  unsigned long size = sizeof s;
  ASSERT_EQ(YOVGetSimpleWireless(finder.h, 0, &s, &size), 0);
  EXPECT_STREQ(s.Ssid, "Cafe");
  std::strcpy(s.SimpleKey, "longer key");
  ASSERT_EQ(YOVSetSimpleWireless(finder.h, 0, &s, 132, nullptr, 0), 0);
  EXPECT_EQ(State()["simple_wireless"]["key"], "longer key");

  _YOVAdvNetwork adv{};
  size = sizeof adv;
  ASSERT_EQ(YOVGetAdvNetwork(finder.h, 0, &adv, &size), 0);
  EXPECT_STREQ(adv.PppoeUser, "dsl");
  EXPECT_EQ(adv.Flag0, 1u);
  int count = 0;
  ASSERT_EQ(YOVGetDDNSProvidersCount(finder.h, 0, &count), 0);  // from the read above
  EXPECT_EQ(count, 2);
  char name[32];
  ASSERT_EQ(YOVGetDDNSProviderList(finder.h, 0, 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "No-IP");
  EXPECT_EQ(sim->Received(yov::CmdGetAdvNetwork).size(), 1u);

  adv.ValidMask = 0x0C;  // PPPoE on, new credentials; Flag0 not sent
  adv.PppoeEnabled = 1;
  adv.Flag0 = 0;
  std::strcpy(adv.PppoeUser, "new-user");
  std::strcpy(adv.PppoePassword, "new-pass");
  ASSERT_EQ(YOVSetAdvNetwork(finder.h, 0, &adv, 348, nullptr, 0), 0);
  json a = State()["adv_network"];
  EXPECT_EQ(a["pppoe_user"], "new-user");
  EXPECT_EQ(a["pppoe_password"], "new-pass");
  EXPECT_EQ(a["flags"], 5);  // Flag0 kept, PPPoE switched on
  EXPECT_EQ(a["mask"], 0x0C);
}

TEST_F(OpsLabTest, OptionCodesSurveyPinAndAssociation) {
  json survey = json::array();
  for (int i = 0; i < 25; ++i)
    survey.push_back({{"ssid", "ap" + std::to_string(i)}, {"signal", 50 + i}, {"encryption", 3},
                      {"authentication", 4}, {"channel", i % 11}});
  StartCamera({{"option_codes", {165, 172, 173, 177, 192, 201, 202}},
               {"survey", survey},
               {"wps_pin", "12345670"},
               {"association", {{"value1", 1}, {"value2", 2}, {"text", "HomeNet"}}}});
  unsigned short codes[8] = {};
  int count = 2;
  EXPECT_EQ(YOVGetLANDAPOptionCmd(finder.h, 0, codes, &count), -4);
  EXPECT_EQ(count, 5);
  count = 8;
  ASSERT_EQ(YOVGetLANDAPOptionCmd(finder.h, 0, codes, &count), 0);
  EXPECT_EQ(std::vector<unsigned short>(codes, codes + count),
            (std::vector<unsigned short>{172, 173, 177, 192, 201}));
  EXPECT_EQ(sim->Received(yov::CmdGetOptionCmds).size(), 1u);

  std::vector<_YOVSiteSurveyStation> stations(128);
  count = 128;
  ASSERT_EQ(YOVGetWirelessSiteSurInfo(finder.h, 0, stations.data(), &count), 0);
  ASSERT_EQ(count, 25);
  EXPECT_EQ(sim->Sent(yov::CmdGetSiteSurvey).size(), 2u);  // 20 + 5 stations
  EXPECT_STREQ(stations[24].Ssid, "ap24");
  EXPECT_EQ(stations[24].SignalStrength, 74u);
  EXPECT_EQ(stations[24].StationChannel, 2u);
  EXPECT_EQ(stations[24].StationEncryption, 3u);

  char pin[16];
  ASSERT_EQ(YOVGetCameraWPSPIN(finder.h, 0, pin, sizeof pin, 0), 0);
  EXPECT_STREQ(pin, "12345670");

  _YOVWirelessAssociatedStatus assoc{};
  unsigned long size = sizeof assoc;
  ASSERT_EQ(YOVGetWirelessAssociatedStatus(finder.h, 0, &assoc, &size), 0);
  EXPECT_EQ(assoc.AssocValue1, 1u);
  EXPECT_EQ(assoc.AssocValue2, 2u);
  EXPECT_STREQ(assoc.AssocText, "HomeNet");
}

TEST_F(OpsLabTest, SilentCommandFailsAfterTheResends) {
  StartCamera();
  SetCommandOptions(yov::CmdGetWpsPin, {{"silent", true}});
  char pin[16];
  EXPECT_EQ(YOVGetCameraWPSPIN(finder.h, 0, pin, sizeof pin, 0), -1);
  EXPECT_EQ(sim->Received(yov::CmdGetWpsPin).size(), 7u);
}

}  // namespace
}  // namespace opslab
