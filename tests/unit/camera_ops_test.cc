// Set-type exports (result triple, waiting time, delayed completion), credentials and the
// camera settings block, through the exports against a scripted camera in virtual time.
#include "camera_fixture.h"

namespace yov::test {
namespace {

class SetTypeTest : public CameraFixture {};

TEST_F(SetTypeTest, AcceptedResultGivesValueAndWaitTimeAndIsSleptOut) {
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 5, 2500); };
  _YOVFinderResult result{9, 9, 9};
  EXPECT_EQ(YOVResetCamera(finder, 0, &result, 0), 0);
  EXPECT_EQ(result.ErrorCode, 0);
  EXPECT_EQ(result.Value, 5);
  EXPECT_EQ(result.WaitTime, 2500u);
  EXPECT_EQ(env.caller_sleeps, (std::vector<uint32_t>{2500}));
  EXPECT_EQ(SentOf(CmdRestart).size(), 1u);
}

TEST_F(SetTypeTest, RefusalWithShortPayloadKeepsTheErrorValue) {
  camera = [](const Sent& r, const LandapHeader&) {
    return Reply(r, {12, 0, 0, 0}, 7);  // a 26-byte reply where 38 are expected
  };
  _YOVFinderResult result{9, 9, 9};
  EXPECT_EQ(YOVFactoryResetCamera(finder, 0, &result, 0), -1);
  EXPECT_EQ(result.ErrorCode, 12);
  EXPECT_EQ(result.Value, 0);
  EXPECT_EQ(result.WaitTime, 0u);
  EXPECT_TRUE(env.caller_sleeps.empty());
  EXPECT_EQ(SentOf(CmdFactoryReset).size(), 7u);  // short replies do not end the exchange
}

TEST_F(SetTypeTest, FailuresClearTheTripleOfAnEarlierCommand) {
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 5, 100); };
  ASSERT_EQ(YOVCommitSettings(finder, 0, nullptr, 0), 0);
  struct Case {
    const char* name;
    Camera camera;
  };
  for (const Case& c : std::vector<Case>{
           {"credentials refused", [](const Sent& r, const LandapHeader&) { return Result(r, 5, 100, 2); }},
           {"no answer", nullptr}}) {
    camera = c.camera;
    _YOVFinderResult result{9, 9, 9};
    EXPECT_EQ(YOVCommitSettings(finder, 0, &result, 0), -1) << c.name;
    EXPECT_EQ(result.Value, 0) << c.name;
    EXPECT_EQ(result.WaitTime, 0u) << c.name;
  }
}

TEST_F(SetTypeTest, BadIndexFailsWithoutTouchingTheResult) {
  _YOVFinderResult result{9, 9, 9};
  EXPECT_EQ(YOVInitWirelessSiteSurvey(finder, 1, &result, 0), -1);
  EXPECT_EQ(YOVInitWirelessSiteSurvey(nullptr, 0, &result, 0), -1);
  EXPECT_EQ(result.ErrorCode, 9);
  EXPECT_TRUE(env.sent.empty());
}

TEST_F(SetTypeTest, BackgroundFlagPostsDelayedCompletionInsteadOfWaiting) {
  RecordingSink sink;
  ASSERT_EQ(YOVFinderSetOverlapNotify(finder, &sink.sink, 1025), 1);
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 0, 3000); };
  _YOVFinderResult result{};
  uint32_t before = env.now;
  EXPECT_EQ(YOVInitWirelessSiteSurvey(finder, 0, &result, 1), 0);
  EXPECT_EQ(env.now, before);  // the reply came at once and nothing was slept
  EXPECT_EQ(result.WaitTime, 3000u);
  ASSERT_TRUE(sink.WaitForPost());
  std::lock_guard lock(sink.mutex);
  ASSERT_EQ(sink.posted.size(), 1u);
  EXPECT_EQ(sink.posted[0].msg, 1025u);
  EXPECT_EQ(sink.posted[0].wparam, uintptr_t{YOV_NOTIFY_DELAYED_COMPLETION});
  EXPECT_EQ(sink.posted[0].lparam, 0);
  std::lock_guard env_lock(env.mutex);
  EXPECT_TRUE(env.caller_sleeps.empty());
  EXPECT_EQ(env.other_sleeps, (std::vector<uint32_t>{3000}));
}

TEST_F(SetTypeTest, BackgroundFlagWithoutLiveSinkNeitherWaitsNorPosts) {
  RecordingSink sink;
  sink.alive = false;
  YOVFinderSetOverlapNotify(finder, &sink.sink, 1025);
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 0, 3000); };
  EXPECT_EQ(YOVResetCamera(finder, 0, nullptr, 1), 0);
  EXPECT_FALSE(sink.WaitForPost(std::chrono::milliseconds(50)));
  EXPECT_TRUE(env.caller_sleeps.empty());
}

class CredentialsTest : public CameraFixture {
 protected:
  // The credential block of the last request sent.
  std::vector<uint8_t> LastCredentials() const { return PayloadOf(env.sent.back(), 0, 128); }
  static std::vector<uint8_t> Field(const char* base64) {
    std::vector<uint8_t> f(64, 0);
    Put(f, 0, base64);
    return f;
  }
  static std::vector<uint8_t> Block(const char* user, const char* password) {
    auto b = Field(user);
    auto p = Field(password);
    b.insert(b.end(), p.begin(), p.end());
    return b;
  }
};

TEST_F(CredentialsTest, StoredPairTravelsWithLaterRequests) {
  EXPECT_EQ(YOVSetFinderCamAuth(finder, 0, "admin", "1234"), 0);
  EXPECT_EQ(YOVSetFinderCamAuth(finder, 3, "admin", "1234"), -1);
  YOVResetCamera(finder, 0, nullptr, 0);
  EXPECT_EQ(LastCredentials(), Block("YWRtaW4=", "MTIzNA=="));
}

TEST_F(CredentialsTest, FortyEightByteUserFillsItsFieldFortyNineLeavesItZero) {
  std::string u48(48, 'u'), u49(49, 'u');
  YOVSetFinderCamAuth(finder, 0, u48.c_str(), nullptr);
  YOVResetCamera(finder, 0, nullptr, 0);
  std::vector<uint8_t> want(64, 0);
  for (int i = 0; i < 16; ++i) Put(want, 4 * i, "dXV1");  // "uuu" is "dXV1"
  want.resize(128, 0);                                     // absent password: zero
  EXPECT_EQ(LastCredentials(), want);

  YOVSetFinderCamAuth(finder, 0, u49.c_str(), "");
  YOVResetCamera(finder, 0, nullptr, 0);
  EXPECT_EQ(LastCredentials(), std::vector<uint8_t>(128, 0));
}

TEST_F(CredentialsTest, VerifyAuthCodes) {
  struct Case {
    const char* name;
    uint16_t status;
    std::vector<uint8_t> payload;
    int want;
  };
  for (const Case& c : std::vector<Case>{{"accepted", 0, {1, 0, 0, 0}, 0},
                                         {"value 2", 0, {2, 0, 0, 0}, -9},
                                         {"other value", 0, {3, 0, 0, 0}, -2},
                                         {"status 4", 4, {1, 0, 0, 0}, -8},
                                         {"status 2", 2, {1, 0, 0, 0}, -2},
                                         {"other status", 7, {1, 0, 0, 0}, -2},
                                         {"payload not 4 bytes", 0, {1, 0}, -1}}) {
    camera = [&](const Sent& r, const LandapHeader&) { return Reply(r, c.payload, c.status); };
    EXPECT_EQ(YOVFinderVerifyAuth(finder, 0), c.want) << c.name;
  }
  camera = nullptr;
  EXPECT_EQ(YOVFinderVerifyAuth(finder, 0), -1);
}

TEST_F(CredentialsTest, ChangePasswordCarriesCurrentAndNewPairs) {
  YOVSetFinderCamAuth(finder, 0, "admin", "old");
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 0, 0); };
  EXPECT_EQ(YOVChangeAdminPassword(finder, 0, "root", "new", nullptr, 0), 0);
  auto sent = SentOf(CmdChangePassword);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(DecodeHeader(sent[0].data)->payload_length, 256);
  EXPECT_EQ(PayloadOf(sent[0], 0, 128), Block("YWRtaW4=", "b2xk"));
  EXPECT_EQ(PayloadOf(sent[0], 128, 128), Block("cm9vdA==", "bmV3"));

  // No new user name: the current user field is sent again.
  EXPECT_EQ(YOVChangeAdminPassword(finder, 0, nullptr, "new", nullptr, 0), 0);
  EXPECT_EQ(PayloadOf(SentOf(CmdChangePassword).back(), 128, 128), Block("YWRtaW4=", "bmV3"));
}

TEST_F(CredentialsTest, ChangeLostAfterTenSecondsIsConfirmedWithTheNewPair) {
  YOVSetFinderCamAuth(finder, 0, "admin", "old");
  // The camera takes the change but its replies are lost; it then knows only the new pair.
  camera = [](const Sent& r, const LandapHeader& h) -> Datagrams {
    if (h.command != CmdVerifyAuth) return {};
    bool new_pair = PayloadOf(r, 64, 4) == std::vector<uint8_t>{'b', 'm', 'V', '3'};
    return Reply(r, {static_cast<uint8_t>(new_pair ? 1 : 0), 0, 0, 0});
  };
  EXPECT_EQ(YOVChangeAdminPassword(finder, 0, nullptr, "new", nullptr, 0), 0);
  auto verify = SentOf(CmdVerifyAuth);
  ASSERT_EQ(verify.size(), 1u);
  EXPECT_EQ(PayloadOf(verify[0], 0, 128), Block("YWRtaW4=", "bmV3"));
  // Afterwards the camera carries the finder's stored pair again.
  YOVResetCamera(finder, 0, nullptr, 0);
  EXPECT_EQ(LastCredentials(), Block("YWRtaW4=", "b2xk"));
}

TEST_F(CredentialsTest, QuickRefusalIsNotCheckedAgain) {
  camera = [](const Sent& r, const LandapHeader&) {
    return Reply(r, Vec(EncodeResultPayload({1011, 0, 0, 0})), 9);
  };
  _YOVFinderResult result{};
  EXPECT_EQ(YOVChangeAdminPassword(finder, 0, "admin", "x", &result, 0), -1);
  EXPECT_EQ(result.ErrorCode, 1011);
  EXPECT_TRUE(SentOf(CmdVerifyAuth).empty());
}

class SettingsTest : public CameraFixture {
 protected:
  SettingsTest() {
    camera = [](const Sent& r, const LandapHeader&) { return Result(r, 0, 0); };
  }
};

TEST_F(SettingsTest, CameraInfoNeedsVersionOneAndSizeFrom156) {
  _YOVCamSettings info{};
  info.Version = 1;
  SetField(info.CameraName, "Garden");
  SetField(info.IpAddress, "10.0.0.77");
  info.HttpPort = 80;
  struct Case {
    uint32_t version, size;
    int want;
  };
  for (const Case& c : std::vector<Case>{{1, 155, -1}, {2, 480, -1}, {1, 156, 0}, {1, 480, 0}}) {
    info.Version = c.version;
    info.Size = c.size;
    env.sent.clear();
    EXPECT_EQ(YOVSetCameraInfo(finder, 0, &info, 0, nullptr, 0), c.want) << c.size;
    EXPECT_EQ(env.sent.size(), c.want == 0 ? 1u : 0u) << c.size;
  }
  const Sent& s = env.sent.back();
  EXPECT_EQ(DecodeHeader(s.data)->payload_length, 217);
  std::vector<uint8_t> block(89, 0);
  Put(block, 0, "Garden");
  Put(block, 64, {10, 0, 0, 77});
  Put(block, 68, {80, 0});
  EXPECT_EQ(PayloadOf(s, 128, 89), block);
  EXPECT_EQ(YOVSetCameraInfo(finder, 0, nullptr, 0, nullptr, 0), -3);
}

TEST_F(SettingsTest, NetworkSendsOnlyAddressesAndDhcp) {
  _YOVCamNetwork n{};
  n.DhcpEnabled = 1;
  SetField(n.IpAddress, "10.0.0.80");
  SetField(n.SubnetMask, "255.255.255.0");
  SetField(n.Gateway, "");
  SetField(n.PrimaryDns, "255.255.255.255");
  SetField(n.SecondaryDns, "9.9.9.9");
  EXPECT_EQ(YOVSetCameraNetwork(finder, 0, &n, 0, 0), 0);
  std::vector<uint8_t> block(89, 0);
  Put(block, 64, {10, 0, 0, 80});
  Put(block, 72, {255, 255, 255, 0});
  Put(block, 84, {9, 9, 9, 9});
  block[88] = 1;
  EXPECT_EQ(PayloadOf(SentOf(CmdSetCameraInfo).at(0), 128, 89), block);
}

TEST_F(SettingsTest, DatetimeReadAndWritten) {
  camera = [](const Sent& r, const LandapHeader& h) -> Datagrams {
    if (h.command != CmdGetDatetime) return Result(r, 0, 0);
    std::vector<uint8_t> p(100, 0);
    Put(p, 0, "20300102030405");
    Put(p, 20, "UTC");
    return Reply(r, p);
  };
  _YOVCamDatetime dt{};
  unsigned long size = 115;
  EXPECT_EQ(YOVGetCameraDatetime(finder, 0, &dt, &size), -4);
  EXPECT_EQ(size, 116u);
  EXPECT_TRUE(env.sent.empty());
  ASSERT_EQ(YOVGetCameraDatetime(finder, 0, &dt, &size), 0);
  EXPECT_EQ(dt.CameraTime.Year, 2030);
  EXPECT_EQ(dt.CameraTime.Second, 5);
  EXPECT_STREQ(dt.TimeText, "UTC");

  dt.CameraTime.Minute = 59;
  EXPECT_EQ(YOVSetCameraDatetime(finder, 0, &dt, 0, nullptr, 0), 0);
  auto sent = SentOf(CmdSetDatetime);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(DecodeHeader(sent[0].data)->payload_length, 228);
  EXPECT_EQ(PayloadOf(sent[0], 128, 15), Vec(MakeText<15>("20300102035905")));
  dt.Size = 107;
  EXPECT_EQ(YOVSetCameraDatetime(finder, 0, &dt, 116, nullptr, 0), -1);
  EXPECT_EQ(SentOf(CmdSetDatetime).size(), 1u);
}

}  // namespace
}  // namespace yov::test
