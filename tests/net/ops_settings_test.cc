// Credentials, camera settings, clock, restart family and the set-type tail against camsim:
// each export, then what the camera received and the state it keeps.
#include <cstring>

#include "landap/landap_header.h"
#include "ops_lab.h"

namespace opslab {
namespace {

TEST_F(OpsLabTest, FirstPasswordChangeThenVerify) {
  StartCamera({{"first_password_change", true}});
  EXPECT_EQ(YOVFinderVerifyAuth(finder.h, 0), -8);  // status 4: change the password first
  _YOVFinderResult result{};
  ASSERT_EQ(YOVChangeAdminPassword(finder.h, 0, "admin", "s3cret", &result, 0), 0);
  json state = State();
  EXPECT_EQ(state["password"], "s3cret");
  EXPECT_EQ(state["first_password_change"], false);
  // The finder keeps the old pair until it is told the new one.
  EXPECT_EQ(YOVFinderVerifyAuth(finder.h, 0), -2);
  ASSERT_EQ(YOVSetFinderCamAuth(finder.h, 0, "admin", "s3cret"), 0);
  EXPECT_EQ(YOVFinderVerifyAuth(finder.h, 0), 0);
  SetCommandOptions(yov::CmdVerifyAuth, {{"verify_value", 2}});
  EXPECT_EQ(YOVFinderVerifyAuth(finder.h, 0), -9);
}

TEST_F(OpsLabTest, NameAddressesAndRestartFamilyReachTheCamera) {
  StartCamera();
  _YOVCamSettings info{};
  unsigned long size = sizeof info;
  ASSERT_EQ(YOVGetCameraInfo(finder.h, 0, &info, &size), 0);
  std::strcpy(info.CameraName, "Porch");
  info.HttpPort = 8080;
  info.Size = 156;
  ASSERT_EQ(YOVSetCameraInfo(finder.h, 0, &info, 0, nullptr, 0), 0);
  json state = State();
  EXPECT_EQ(state["name"], "Porch");
  EXPECT_EQ(state["http_port"], 8080);
  EXPECT_EQ(state["ip"], "10.60.0.10");

  _YOVCamNetwork net{};
  net.DhcpEnabled = 0;
  std::strcpy(net.IpAddress, "10.60.0.20");
  std::strcpy(net.SubnetMask, "255.255.255.0");
  std::strcpy(net.Gateway, "");  // sent as 0.0.0.0
  std::strcpy(net.PrimaryDns, "10.60.0.254");
  ASSERT_EQ(YOVSetCameraNetwork(finder.h, 0, &net, 0, 0), 0);
  state = State();
  EXPECT_EQ(state["ip"], "10.60.0.20");
  EXPECT_EQ(state["gateway"], "0.0.0.0");
  EXPECT_EQ(state["dns1"], "10.60.0.254");
  EXPECT_EQ(state["name"], "Porch");  // the address-only form leaves the name

  EXPECT_EQ(YOVResetCamera(finder.h, 0, nullptr, 0), 0);
  EXPECT_EQ(YOVFactoryResetCamera(finder.h, 0, nullptr, 0), 0);
  EXPECT_EQ(YOVCommitSettings(finder.h, 0, nullptr, 0), 0);
  EXPECT_EQ(YOVInitWirelessSiteSurvey(finder.h, 0, nullptr, 0), 0);
  state = State();
  EXPECT_EQ(state["restarts"], 1);
  EXPECT_EQ(state["factory_resets"], 1);
  EXPECT_EQ(state["commits"], 1);
  EXPECT_EQ(state["surveys_started"], 1);
}

TEST_F(OpsLabTest, ClockReadAndSet) {
  StartCamera({{"time", "20240229235958"}, {"datetime", {{"option1", 3}, {"text", "UTC+1"}}}});
  _YOVCamDatetime dt{};
  unsigned long size = sizeof dt;
  ASSERT_EQ(YOVGetCameraDatetime(finder.h, 0, &dt, &size), 0);
  EXPECT_EQ(dt.CameraTime.Year, 2024);
  EXPECT_EQ(dt.CameraTime.Month, 2);
  EXPECT_EQ(dt.CameraTime.Day, 29);
  EXPECT_EQ(dt.CameraTime.Second, 58);
  EXPECT_EQ(dt.TimeOption1, 3);
  EXPECT_STREQ(dt.TimeText, "UTC+1");

  dt.CameraTime = {2031, 7, 0, 4, 12, 30, 0, 0};
  std::strcpy(dt.TimeText, "UTC+2");
  ASSERT_EQ(YOVSetCameraDatetime(finder.h, 0, &dt, 0, nullptr, 0), 0);
  json d = State()["datetime"];
  EXPECT_EQ(d["last_set"], "20310704123000");
  EXPECT_EQ(d["text"], "UTC+2");
  ASSERT_EQ(YOVGetCameraDatetime(finder.h, 0, &dt, &size), 0);
  EXPECT_EQ(dt.CameraTime.Year, 2031);
  EXPECT_EQ(dt.CameraTime.Hour, 12);
}

TEST_F(OpsLabTest, RefusalsAndCredentialFailuresKeepTheCameraUnchanged) {
  StartCamera();
  _YOVFinderResult result{};
  SetCommandOptions(yov::CmdRestart, {{"status", 9}, {"error_value", 1011}});
  EXPECT_EQ(YOVResetCamera(finder.h, 0, &result, 0), -1);
  EXPECT_EQ(result.ErrorCode, 1011);
  // The 4-byte form: the camera answers 26 bytes, so the finder resends before it decides.
  SetCommandOptions(yov::CmdCommit, {{"status", 7}, {"error_value", 12}, {"short_result", true}});
  EXPECT_EQ(YOVCommitSettings(finder.h, 0, &result, 0), -1);
  EXPECT_EQ(result.ErrorCode, 12);
  EXPECT_EQ(sim->Received(yov::CmdCommit).size(), 7u);

  ASSERT_EQ(YOVSetFinderCamAuth(finder.h, 0, "admin", "wrong"), 0);
  EXPECT_EQ(YOVFactoryResetCamera(finder.h, 0, &result, 0), -1);
  EXPECT_EQ(YOVFinderVerifyAuth(finder.h, 0), -2);
  json state = State();
  EXPECT_FALSE(state.contains("restarts"));
  EXPECT_FALSE(state.contains("commits"));
  EXPECT_FALSE(state.contains("factory_resets"));
}

TEST_F(OpsLabTest, WaitTimeIsSleptOrPostedAsDelayedCompletion) {
  StartCamera();
  SetCommandOptions(yov::CmdCommit, {{"wait_ms", 3000}});
  _YOVFinderResult result{};
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(YOVCommitSettings(finder.h, 0, &result, 0), 0);
  EXPECT_GE(MsSince(start), 3000);
  EXPECT_EQ(result.WaitTime, 3000u);

  labtest::RecordingSink sink;
  ASSERT_EQ(YOVFinderSetOverlapNotify(finder.h, &sink, 1025), 1);
  start = std::chrono::steady_clock::now();
  ASSERT_EQ(YOVCommitSettings(finder.h, 0, &result, 1), 0);
  int64_t returned = MsSince(start);
  EXPECT_LT(returned, 3000);
  EXPECT_TRUE(sink.messages().empty());
  ASSERT_TRUE(sink.WaitFor(YOV_NOTIFY_DELAYED_COMPLETION, 10000));
  EXPECT_GE(MsSince(start), 3000);
  auto messages = sink.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].msg, 1025u);
  EXPECT_EQ(messages[0].param, 0);  // the camera index
  EXPECT_FALSE(messages[0].sent);
}

}  // namespace
}  // namespace opslab
