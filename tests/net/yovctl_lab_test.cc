// yovctl against simulated cameras: what a user sees and the exit codes.
#include <gtest/gtest.h>

#include "lab.h"

namespace {

using nlohmann::json;

int Yovctl(const std::vector<std::string>& args, std::string& output) {
  std::vector<std::string> argv{YOVCTL_BIN};
  argv.insert(argv.end(), args.begin(), args.end());
  return netlab::RunCommand(argv, &output);
}

TEST_F(LabTest, YovctlSearchAndInfo) {
  lab().AddLink("lan0", "10.90.0.1/24", "seg0", "10.90.0.2/24");
  lab().StartCamsim("seg0", {{"cameras",
                              {{{"mac", "02:1A:2B:00:00:31"}, {"model", "YC-100"}, {"name", "Hall"},
                                {"ip", "10.90.0.31"}, {"brand", "Yovision"}, {"http_port", 8080}},
                               {{"mac", "02:1A:2B:00:00:32"}, {"model", "YC-300W"}, {"name", "Yard"},
                                {"ip", "10.90.0.32"}, {"brand", "Yovision"}}}}});
  std::string out;
  ASSERT_EQ(Yovctl({"search", "--json"}, out), 0) << out;
  json cameras = json::parse(out);
  ASSERT_EQ(cameras.size(), 2u);
  for (const json& c : cameras) {
    EXPECT_EQ(c["brand"], "Yovision");
    EXPECT_EQ(c["via"], "10.90.0.1");
    if (c["mac"] == "02:1A:2B:00:00:31") {
      EXPECT_EQ(c["address"], "10.90.0.31");
      EXPECT_EQ(c["http_port"], 8080);
      EXPECT_EQ(c["name"], "Hall");
    }
  }
  ASSERT_EQ(Yovctl({"info", "02:1a:2b:00:00:32", "--json"}, out), 0) << out;
  json info = json::parse(out);
  EXPECT_EQ(info["model"], "YC-300W");
  EXPECT_EQ(info["name"], "Yard");

  EXPECT_EQ(Yovctl({"info", "02:1A:2B:00:00:99"}, out), 4);
  EXPECT_NE(out.find("no camera with MAC 02:1A:2B:00:00:99"), std::string::npos) << out;
  EXPECT_EQ(Yovctl({"info", "not-a-mac"}, out), 2);
  EXPECT_EQ(Yovctl({"--adapter", "nope0", "search"}, out), 3);
  EXPECT_NE(out.find("no usable network adapter"), std::string::npos) << out;
}

TEST_F(LabTest, YovctlSearchWithNoCameraSaysWhatToCheck) {
  lab().AddLink("lan0", "10.91.0.1/24", "seg0", "10.91.0.2/24");
  std::string out;
  EXPECT_EQ(Yovctl({"search"}, out), 4);
  EXPECT_NE(out.find("no camera answered"), std::string::npos) << out;
}

}  // namespace
