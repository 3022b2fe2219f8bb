// yovctl's settings commands against a simulated camera: the camera's state afterwards, and a
// refused change that says which change and why.
#include <gtest/gtest.h>

#include "lab.h"

namespace {

using nlohmann::json;

const char* kMac = "02:1A:2B:00:00:41";

int Yovctl(std::vector<std::string> args, std::string& output, const char* password = "secret") {
  std::vector<std::string> argv{YOVCTL_BIN};
  argv.insert(argv.end(), args.begin(), args.end());
  argv.insert(argv.end(), {"--user", "admin", "--password", password});
  return netlab::RunCommand(argv, &output);
}

class YovctlSettingsTest : public LabTest {
 protected:
  void SetUp() override {
    LabTest::SetUp();
    if (IsSkipped()) return;
    lab().AddLink("lan0", "10.92.0.1/24", "seg0", "10.92.0.2/24");
    sim = &lab().StartCamsim(
        "seg0", {{"cameras", {{{"mac", kMac}, {"model", "YC-200W"}, {"name", "Hall"},
                               {"ip", "10.92.0.41"}, {"mask", "255.255.255.0"},
                               {"user", "admin"}, {"password", "secret"}}}}});
  }
  netlab::Camsim* sim = nullptr;
};

TEST_F(YovctlSettingsTest, ChangesReachTheCamera) {
  std::string out;
  ASSERT_EQ(Yovctl({"verify", kMac}, out), 0) << out;
  ASSERT_EQ(Yovctl({"name", kMac, "Kitchen"}, out), 0) << out;
  EXPECT_EQ(sim->State(kMac)["name"], "Kitchen");
  ASSERT_EQ(Yovctl({"name", kMac, "--json"}, out), 0) << out;
  EXPECT_EQ(json::parse(out)["name"], "Kitchen");

  ASSERT_EQ(Yovctl({"network", kMac, "--ip", "10.92.0.77", "--mask", "255.255.255.0", "--gateway",
                    "10.92.0.1"}, out), 0) << out;
  json state = sim->State(kMac);
  EXPECT_EQ(state["ip"], "10.92.0.77");
  EXPECT_EQ(state["gateway"], "10.92.0.1");
  EXPECT_EQ(state["name"], "Kitchen");  // an address change keeps the name

  ASSERT_EQ(Yovctl({"time", kMac, "--set", "2027-01-02 03:04:05"}, out), 0) << out;
  ASSERT_EQ(Yovctl({"time", kMac, "--json"}, out), 0) << out;
  // The camera's clock runs on from the time it was given.
  EXPECT_EQ(json::parse(out)["camera_time"].get<std::string>().substr(0, 17), "2027-01-02 03:04:");

  ASSERT_EQ(Yovctl({"wireless", kMac, "--ssid", "HomeNet", "--passphrase", "correct horse"}, out), 0) << out;
  ASSERT_EQ(Yovctl({"wireless", kMac, "--json"}, out), 0) << out;
  json wireless = json::parse(out);
  EXPECT_EQ(wireless["ssid"], "HomeNet");
  EXPECT_EQ(wireless["enabled"], true);
  EXPECT_EQ(wireless["authentication"], 4);

  EXPECT_EQ(Yovctl({"time", kMac, "--set", "yesterday"}, out), 2);
}

TEST_F(YovctlSettingsTest, RefusedChangeSaysWhichAndWhy) {
  std::string out;
  EXPECT_EQ(Yovctl({"verify", kMac}, out, "wrong"), 1);
  EXPECT_NE(out.find("refused the password of user 'admin'"), std::string::npos) << out;
  EXPECT_EQ(Yovctl({"name", kMac, "Intruder"}, out, "wrong"), 1);
  EXPECT_NE(out.find("did not accept the name"), std::string::npos) << out;
  EXPECT_EQ(sim->State(kMac)["name"], "Hall");

  sim->Set(kMac, {{"behaviour", {{"commands", {{"170", {{"status", 7}, {"error_value", 12}}}}}}}});
  EXPECT_EQ(Yovctl({"restart", kMac}, out), 1);
  EXPECT_NE(out.find("refused the restart (camera error 12)"), std::string::npos) << out;
}

}  // namespace
