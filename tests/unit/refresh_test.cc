// Refresh of one camera: the marked round, the marker-0 round and the other adapters.
#include <gtest/gtest.h>

#include "discovery/lan_cam_mgr.h"
#include "fake_env.h"

namespace yov::test {
namespace {

const Mac kMac = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x07};

std::vector<uint8_t> Payload(const char* name, const char* address) {
  CameraInfo info;
  info.mac = kMac;
  info.settings.camera_name = MakeText<64>(name);
  info.settings.ip_address = Ip(address);
  info.settings.dhcp = 1;
  auto b = EncodeCameraInfo(info);
  return {b.begin(), b.end()};
}

class RefreshTest : public ::testing::Test {
 protected:
  RefreshTest() {
    env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1), MakeAdapter("lan1", "10.0.1.1", 2),
                    MakeAdapter("lan2", "10.0.2.1", 3)};
    // The first search finds the camera on lan1.
    env.peer = [this](FakeSocket& s, const Sent& sent) {
      if (sent.bound == Ip("10.0.1.1")) s.Deliver(ReplyTo(sent.data, Payload("old", "10.0.1.50"), 0, &kMac), Ip("10.0.1.50"));
    };
    manager.Search(kSearchTimeoutMs, nullptr);
    EXPECT_EQ(manager.Count(), 1);
    env.sent.clear();
  }
  // Markers of the requests sent from `bound`.
  std::vector<uint16_t> Markers(const char* bound) {
    std::vector<uint16_t> out;
    for (const auto& s : env.sent)
      if (s.bound == Ip(bound)) out.push_back(DecodeHeader(s.data)->status);
    return out;
  }

  FakeEnv env;
  CLANDAPMgr manager{env};
};

TEST_F(RefreshTest, CameraThatAnswersOnlyUnmarkedRequests) {
  env.peer = [](FakeSocket& s, const Sent& sent) {
    if (DecodeHeader(sent.data)->status == 0) s.Deliver(ReplyTo(sent.data, Payload("new", "10.0.1.60")), Ip("10.0.1.60"));
  };
  ASSERT_TRUE(manager.Refresh(0));
  EXPECT_EQ(Markers("10.0.1.1"), (std::vector<uint16_t>{0x7777, 0x7777, 0x7777, 0x7777, 0}));
  EXPECT_EQ(manager.Camera(0)->camera_address(), Ip("10.0.1.60"));
  CameraNetwork n;
  ASSERT_TRUE(manager.GetNetwork(0, n));
  EXPECT_TRUE(n.dhcp);
  EXPECT_EQ(n.address, Ip("10.0.1.60"));
}

TEST_F(RefreshTest, RequestIsAddressedToTheCamera) {
  env.peer = [](FakeSocket& s, const Sent& sent) { s.Deliver(ReplyTo(sent.data, Payload("x", "10.0.1.50")), Ip("10.0.1.50")); };
  ASSERT_TRUE(manager.Refresh(0));
  ASSERT_EQ(env.sent.size(), 1u);
  auto h = *DecodeHeader(env.sent[0].data);
  EXPECT_EQ(h.target_mac, kMac);
  EXPECT_EQ(h.camera_address, Ip("10.0.1.50"));
  EXPECT_EQ(h.command, CmdSearch);
  EXPECT_EQ(h.payload_length, 0);
}

TEST_F(RefreshTest, OtherCamerasRepliesAreSkippedWithinTheRound) {
  const Mac other = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x08};
  env.peer = [&](FakeSocket& s, const Sent& sent) {
    s.Deliver(ReplyTo(sent.data, Payload("other", "10.0.1.9"), 0, &other), Ip("10.0.1.9"), 1);
    s.Deliver(ReplyTo(sent.data, Payload("mine", "10.0.1.51")), Ip("10.0.1.51"), 2);
  };
  ASSERT_TRUE(manager.Refresh(0));
  EXPECT_EQ(env.sent.size(), 1u);
  EXPECT_EQ(manager.Camera(0)->camera_address(), Ip("10.0.1.51"));
}

TEST_F(RefreshTest, CameraThatMovedIsFoundThroughAnotherAdapterKeepingItsInterface) {
  env.peer = [](FakeSocket& s, const Sent& sent) {
    if (sent.bound == Ip("10.0.0.1")) s.Deliver(ReplyTo(sent.data, Payload("moved", "10.0.0.70")), Ip("10.0.0.70"));
  };
  ASSERT_TRUE(manager.Refresh(0));
  EXPECT_EQ(manager.Camera(0)->interface_address(), Ip("10.0.1.1"));
  EXPECT_EQ(manager.Camera(0)->camera_address(), Ip("10.0.0.70"));
  // The first other adapter (lan2) gets both rounds, later ones only the unmarked round.
  EXPECT_EQ(Markers("10.0.2.1").size(), 8u);
  EXPECT_EQ(Markers("10.0.0.1"), (std::vector<uint16_t>{0}));
}

TEST_F(RefreshTest, SilentCameraFailsAfterEveryRound) {
  env.peer = nullptr;
  EXPECT_FALSE(manager.Refresh(0));
  EXPECT_EQ(Markers("10.0.1.1").size(), 8u);  // 4 marked + 4 unmarked
  EXPECT_EQ(Markers("10.0.2.1").size(), 8u);  // first other adapter: both rounds
  EXPECT_EQ(Markers("10.0.0.1").size(), 4u);  // 4 unmarked only
  EXPECT_FALSE(manager.Refresh(5));           // outside the list
}

TEST_F(RefreshTest, ReplyWithWrongSequenceOrStatusFails) {
  env.adapters = {MakeAdapter("lan1", "10.0.1.1", 2)};
  for (auto spoil : {+[](std::vector<uint8_t>& d) { PutU16(d, 2, GetU16(Bytes(d), 2) + 1); },
                     +[](std::vector<uint8_t>& d) { PutU16(d, 16, 1); }}) {
    env.peer = [&](FakeSocket& s, const Sent& sent) {
      auto reply = ReplyTo(sent.data, Payload("x", "10.0.1.50"));
      spoil(reply);
      s.Deliver(reply, Ip("10.0.1.50"));
    };
    EXPECT_FALSE(manager.Refresh(0));
  }
}

}  // namespace
}  // namespace yov::test

namespace yov::test {
namespace {

TEST_F(RefreshTest, TruncatedReplyDoesNotWipeTheCachedInformation) {
  env.adapters = {MakeAdapter("lan1", "10.0.1.1", 2)};
  env.peer = [](FakeSocket& s, const Sent& sent) {
    auto reply = ReplyTo(sent.data, Payload("cut", "10.0.1.99"));
    reply.resize(200);  // the length field still says 312
    s.Deliver(reply, Ip("10.0.1.50"));
  };
  EXPECT_FALSE(manager.Refresh(0));
  EXPECT_EQ(manager.Camera(0)->camera_address(), Ip("10.0.1.50"));
}

}  // namespace
}  // namespace yov::test
