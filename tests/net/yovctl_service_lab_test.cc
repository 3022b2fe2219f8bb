// yovctl's WPS, host-helper and remote-access subcommands against a simulated camera.
#include <gtest/gtest.h>

#include "lab.h"

namespace {

using nlohmann::json;

constexpr const char* kMac = "02:1A:2B:00:00:41";

int Yovctl(std::vector<std::string> args, std::string& output) {
  std::vector<std::string> argv{YOVCTL_BIN};
  argv.insert(argv.end(), args.begin(), args.end());
  argv.insert(argv.end(), {"--password", "admin"});
  return netlab::RunCommand(argv, &output);
}

// Runs a subcommand with --json and returns its parsed output (the output holds standard error
// too, before the JSON).
json RunJson(std::vector<std::string> args) {
  std::string out;
  args.push_back("--json");
  EXPECT_EQ(Yovctl(args, out), 0) << out;
  try {
    return json::parse(out.substr(std::min(out.size(), out.find_first_of("[{"))));
  } catch (const json::exception&) {
    ADD_FAILURE() << out;
    return json();
  }
}

class YovctlServiceTest : public LabTest {
 protected:
  void SetUp() override {
    LabTest::SetUp();
    if (IsSkipped()) return;
    lab().AddLink("lan0", "10.92.0.100/24", "seg0", "10.92.0.1/24");
    lab().StartCamsim(
        "seg0",
        {{"cameras",
          {{{"mac", kMac}, {"ip", "10.92.0.1"}, {"mask", "255.255.255.0"}, {"user", "admin"},
            {"password", "admin"}, {"flags", 1}, {"option_codes", {178}},
            {"wps_capability", {{"push_button", 1}, {"pin", 0}}},
            {"network_status", {{"state", 2}, {"address1", "10.92.0.1"}}},
            {"pppoe", {{"available", 1}}},
            {"remote", {{"url", "http://hall.example.invalid"}, {"alias", "hall"}}},
            {"behaviour", {{"commands", {{"178", {{"form", "wps"}}}}}}}}}}});
  }
};

TEST_F(YovctlServiceTest, WpsAndHostHelpers) {
  EXPECT_EQ(RunJson({"wps", kMac, "--push-button"})["result"], 0);
  std::string out;
  EXPECT_EQ(Yovctl({"wps", kMac, "--pin", "12345670"}, out), 1);
  EXPECT_NE(out.find("does not offer this WPS mode"), std::string::npos) << out;
  EXPECT_EQ(Yovctl({"wps", kMac}, out), 2);

  EXPECT_EQ(RunJson({"free-ip", kMac})["free_address"], "10.92.0.2");
  EXPECT_EQ(RunJson({"thru-interface", kMac})["address"], "10.92.0.100");
  EXPECT_EQ(RunJson({"network-status", kMac})["meaning"], "finished");
  EXPECT_EQ(RunJson({"pppoe", kMac, "available"})["pppoe_available"], 1);
  EXPECT_EQ(Yovctl({"dhcp-probe", kMac}, out), 1);
  EXPECT_NE(out.find("no DHCP server answered"), std::string::npos) << out;
  ASSERT_EQ(lab().Script("dhcp", {"seg0", "lan0", "10.92.0.50", "10.92.0.60"}, &out), 0) << out;
  EXPECT_EQ(RunJson({"dhcp-probe", kMac})["dhcp_server"], "10.92.0.1");
}

TEST_F(YovctlServiceTest, RemoteAccess) {
  EXPECT_EQ(RunJson({"remote", "enable", kMac})["enabled"], true);
  json state = RunJson({"remote", "state", kMac});
  EXPECT_EQ(state["enabled"], 1);
  EXPECT_EQ(RunJson({"remote", "url", kMac})["url"], "http://hall.example.invalid");
  EXPECT_EQ(RunJson({"remote", "alias", kMac, "porch"})["alias"], "porch");
  EXPECT_EQ(RunJson({"remote", "alias", kMac})["alias"], "porch");
  EXPECT_EQ(RunJson({"remote", "sub-domain", kMac, "home"})["sub_domain"], "home");
  json found = RunJson({"remote", "search", "--background"});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]["mac"], kMac);
  std::string out;
  EXPECT_EQ(Yovctl({"remote", "wake", kMac}, out), 2);
}

}  // namespace
