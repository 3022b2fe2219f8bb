// WPS against camsim: the secure exchange (the camera checks that both sides computed the same
// secret), the 120 s budget, a mode the camera does not offer, and the older method.
#include <gtest/gtest.h>

#include "ops_lab.h"
#include "security/wps_pin.h"

namespace {

using opslab::json;

// A camera that lists option 178 and answers it with its WPS capability.
json SecureCamera(int push_button = 1, int pin = 1) {
  return {{"option_codes", {166, 172, 178, 192}},
          {"wps_capability", {{"push_button", push_button}, {"pin", pin}}},
          {"behaviour", {{"commands", {{"178", {{"form", "wps"}}}}}}}};
}

// Eight digits whose last one is the WPS checksum of the first seven.
bool ValidPin(const std::string& pin) {
  if (pin.size() != 8 || pin.find_first_not_of("0123456789") != std::string::npos) return false;
  return yov::WpsPinChecksum(std::stoul(pin.substr(0, 7))) == pin[7] - '0';
}

class WpsLabTest : public opslab::OpsLabTest {
 protected:
  // Runs YOVCameraWPS on the WPS worker and returns the code of NotifyWpsDone.
  intptr_t RunInBackground(int mode, const char* pin, int limit_ms) {
    YOVFinderSetOverlapNotify(finder.h, &sink, 1025);
    EXPECT_EQ(YOVCameraWPS(finder.h, 0, mode, pin, 1), 0);
    EXPECT_TRUE(sink.WaitFor(YOV_NOTIFY_WPS_DONE, limit_ms));
    for (const auto& m : sink.messages())
      if (m.what == YOV_NOTIFY_WPS_DONE) {
        EXPECT_FALSE(m.sent);  // posted
        return m.param;
      }
    return 99;
  }
  labtest::RecordingSink sink;
};

TEST_F(WpsLabTest, SecureExchangeSucceedsWithTheSameSecretOnBothSides) {
  StartCamera(SecureCamera());
  SetCommandOptions(180, {{"not_ready_polls", 3}});
  SetCommandOptions(182, {{"not_ready_polls", 2}});
  struct Case {
    int mode;
    int wire_mode;
  };
  for (Case c : {Case{1, 2}, Case{2, 1}}) {
    sim->Clear();
    ASSERT_EQ(YOVCameraWPS(finder.h, 0, c.mode, "00000000", 0), 0) << c.mode;
    json wps = State()["wps"];
    EXPECT_TRUE(wps["secret_ok"].get<bool>()) << c.mode;
    EXPECT_EQ(wps["secret_hex"].get<std::string>().size() / 2, 192u);  // a full-size secret
    EXPECT_EQ(wps["wire_mode"], c.wire_mode);
    if (c.mode == 1)
      EXPECT_TRUE(ValidPin(wps["pin"])) << wps["pin"];  // generated, not the caller's
    else
      EXPECT_EQ(wps["pin"], "");
    EXPECT_EQ(sim->Received(180).size(), 4u);
    EXPECT_EQ(sim->Received(182).size(), 3u);
    // The key travels scrambled: the raw request does not carry the public value in the clear.
    EXPECT_EQ(sim->Received(179).size(), 1u);
  }
}

TEST_F(WpsLabTest, SecureExchangeOnTheWorkerPostsSuccess) {
  StartCamera(SecureCamera());
  EXPECT_EQ(RunInBackground(2, "", 20000), 0);
  EXPECT_TRUE(State()["wps"]["secret_ok"].get<bool>());
}

TEST_F(WpsLabTest, ModeNotOfferedPostsMinusSix) {
  StartCamera(SecureCamera(1, 0));
  EXPECT_EQ(RunInBackground(1, "12345670", 20000), -6);
  EXPECT_TRUE(sim->Received(179).empty());
  EXPECT_EQ(YOVCameraWPS(finder.h, 0, 1, "12345670", 0), -1);
}

TEST_F(WpsLabTest, CameraKeyNeverReadyEndsAfter120Seconds) {
  StartCamera(SecureCamera());
  SetCommandOptions(180, {{"not_ready_polls", -1}});
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunInBackground(2, "", 140000), -7);
  EXPECT_GE(opslab::MsSince(start), 120000);
  EXPECT_TRUE(sim->Received(181).empty());
}

TEST_F(WpsLabTest, OlderMethodStartsAndPollsTheSession) {
  StartCamera({{"option_codes", {166, 192}}, {"wps", {{"session", 77}}}});
  ASSERT_EQ(YOVCameraWPS(finder.h, 0, 1, "12345670", 0), 0);
  json wps = State()["wps"];
  EXPECT_EQ(wps["mode"], 1);
  EXPECT_EQ(wps["pin_text"], "12345670");
  EXPECT_EQ(wps["session_polled"], 77);
  EXPECT_EQ(sim->Received(194).size(), 1u);

  // A camera that is still running WPS: the one poll says so, which the worker reports as -1.
  SetCommandOptions(194, {{"not_ready_polls", 1}});
  EXPECT_EQ(YOVCameraWPS(finder.h, 0, 2, nullptr, 0), -1);
  EXPECT_EQ(RunInBackground(2, nullptr, 20000), -1);
  // PIN mode needs 8 characters; nothing is sent.
  sim->Clear();
  EXPECT_EQ(YOVCameraWPS(finder.h, 0, 1, "1234567", 0), -1);
  EXPECT_TRUE(sim->Received(193).empty());
}

}  // namespace
