// The search on every adapter, the reply checks and the camera list, against a scripted peer.
#include <gtest/gtest.h>

#include <map>

#include "discovery/lan_cam_mgr.h"
#include "fake_env.h"

namespace yov::test {
namespace {

Mac MacOf(uint8_t last) { return {0x00, 0x1A, 0x2B, 0x00, 0x00, last}; }

std::vector<uint8_t> InfoPayload(uint8_t mac_last, const char* name, size_t size = 312) {
  CameraInfo info;
  info.mac = MacOf(mac_last);
  info.settings.camera_name = MakeText<64>(name);
  info.settings.ip_address = Ip("192.168.1.50");
  auto bytes = EncodeCameraInfo(info);
  std::vector<uint8_t> p(bytes.begin(), bytes.end());
  p.resize(size);
  return p;
}

// Cameras by adapter address: each answers a search heard on that adapter.
struct Camera {
  uint8_t mac_last;
  std::vector<uint8_t> payload;
  std::function<void(std::vector<uint8_t>&)> spoil;  // changes the reply datagram
};

class SearchTest : public ::testing::Test {
 protected:
  SearchTest() {
    env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1), MakeAdapter("lan1", "10.0.1.1", 2)};
    env.peer = [this](FakeSocket& s, const Sent& sent) {
      for (auto& cam : cameras[sent.bound]) {
        Mac mac = MacOf(cam.mac_last);
        auto reply = ReplyTo(sent.data, cam.payload, 0, &mac);
        if (cam.spoil) cam.spoil(reply);
        s.Deliver(reply, Ip("10.0.0.200"), 5);
      }
    };
  }
  void Add(const char* adapter, Camera cam) { cameras[Ip(adapter)].push_back(std::move(cam)); }

  FakeEnv env;
  std::map<Ipv4, std::vector<Camera>> cameras;
  CLANDAPMgr manager{env};
};

TEST_F(SearchTest, ListsEachCameraOnceWithTheInterfaceSearchedFirst) {
  Add("10.0.0.1", {1, InfoPayload(1, "both"), nullptr});
  Add("10.0.1.1", {1, InfoPayload(1, "both"), nullptr});
  Add("10.0.0.1", {2, InfoPayload(2, "first only"), nullptr});
  EXPECT_TRUE(manager.Search(kSearchTimeoutMs, nullptr));
  ASSERT_EQ(manager.Count(), 2);
  // lan1 is last in the adapter list, so it is searched first.
  EXPECT_EQ(manager.Camera(0)->interface_address(), Ip("10.0.1.1"));
  EXPECT_EQ(manager.Camera(1)->mac(), MacOf(2));
  EXPECT_EQ(manager.FindByMac(MacOf(1)), 0);
  EXPECT_EQ(manager.FindByMac(MacOf(9)), -1);
}

TEST_F(SearchTest, EachAdapterSearchHasItsOwnSequenceNumberAndBareHeader) {
  manager.Search(kSearchTimeoutMs, nullptr);
  ASSERT_EQ(env.sent.size(), 2u);
  auto first = *DecodeHeader(env.sent[0].data);
  auto second = *DecodeHeader(env.sent[1].data);
  EXPECT_EQ(static_cast<uint16_t>(first.sequence + 1), second.sequence);
  EXPECT_EQ(env.sent[0].data.size(), 22u);
  EXPECT_EQ(first.magic, kRequestMagic);
  EXPECT_EQ(first.command, CmdSearch);
  EXPECT_EQ(first.target_mac, kBroadcastMac);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.camera_address, 0u);
  EXPECT_EQ(env.sent[0].port, kLandapPort);
  EXPECT_EQ(env.sent[0].destination, 0xFFFFFFFFu);
}

TEST_F(SearchTest, MalformedRepliesAddNothing) {
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> spoil;
  };
  const Case cases[] = {
      {"request magic", [](auto& d) { PutU16(d, 0, kRequestMagic); }},
      {"other sequence", [](auto& d) { PutU16(d, 2, GetU16(Bytes(d), 2) + 1); }},
      {"other command", [](auto& d) { PutU16(d, 4, CmdOstrelSearch); }},
      {"status 1", [](auto& d) { PutU16(d, 16, 1); }},
      {"header version 2", [](auto& d) { PutU16(d, 18, 2); }},
      {"length field says 312, datagram 333", [](auto& d) { d.resize(333); }},
      {"too short for a header", [](auto& d) { d.resize(21); }},
  };
  uint8_t last = 10;
  for (const auto& c : cases) Add("10.0.0.1", {last, InfoPayload(last, c.name), c.spoil}), ++last;
  Add("10.0.0.1", {40, InfoPayload(40, "short", 311), nullptr});
  EXPECT_TRUE(manager.Search(kSearchTimeoutMs, nullptr));  // datagrams arrived
  EXPECT_EQ(manager.Count(), 0);
}

TEST_F(SearchTest, DuplicateDatagramsGiveOneEntryAndCallbackPerNewCamera) {
  Add("10.0.0.1", {1, InfoPayload(1, "a"), nullptr});
  Add("10.0.0.1", {1, InfoPayload(1, "a"), nullptr});
  int found = 0;
  manager.Search(kSearchTimeoutMs, [&](Bytes payload) {
    EXPECT_EQ(payload.size(), 312u);
    ++found;
  });
  EXPECT_EQ(manager.Count(), 1);
  EXPECT_EQ(found, 1);
}

TEST_F(SearchTest, ASecondSearchEmptiesTheList) {
  Add("10.0.0.1", {1, InfoPayload(1, "a"), nullptr});
  manager.Search(kSearchTimeoutMs, nullptr);
  cameras.clear();
  EXPECT_FALSE(manager.Search(kSearchTimeoutMs, nullptr));
  EXPECT_EQ(manager.Count(), 0);
}

TEST_F(SearchTest, AdaptersWithoutAddressAreSkipped) {
  env.adapters = {MakeAdapter("lan0", "0.0.0.0", 1)};
  EXPECT_FALSE(manager.Search(kSearchTimeoutMs, nullptr));
  EXPECT_TRUE(env.sent.empty());
}

TEST_F(SearchTest, ReceiveWindowClosesThreeSecondsAfterTheLastReply) {
  env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1)};
  Add("10.0.0.1", {1, InfoPayload(1, "a"), nullptr});
  uint32_t start = env.now;
  manager.Search(kSearchTimeoutMs, nullptr);
  EXPECT_EQ(env.now - start, 5u + 3000u);  // reply at 5 ms, then three empty seconds
}

}  // namespace
}  // namespace yov::test
