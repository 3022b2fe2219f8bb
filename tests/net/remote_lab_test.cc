// The remote-access service against camsim: what the camera received and kept, the alias change
// with its polls, the state queries, and the search on port 62977.
#include <gtest/gtest.h>

#include "ops_lab.h"

namespace {

using opslab::json;

json RemoteCamera(const json& remote) { return {{"flags", 1}, {"remote", remote}}; }

class RemoteLabTest : public opslab::OpsLabTest {};

TEST_F(RemoteLabTest, SwitchAndStateQueries) {
  StartCamera(RemoteCamera({{"enabled", 0}, {"ip_environment", {3, 1}}, {"state", 1},
                            {"detail", 4}, {"extra", 9}}));
  int enabled = -1;
  ASSERT_EQ(YOVGetOstrel12Enabled(finder.h, 0, &enabled), 0);
  EXPECT_EQ(enabled, 0);
  _YOVFinderResult result{9, 9, 9};
  ASSERT_EQ(YOVEnableOstrel12(finder.h, 0, 1, &result, 0), 0);
  EXPECT_EQ(State()["remote"]["enabled"], 1);
  EXPECT_EQ(LastFields(210).size(), 16u);
  ASSERT_EQ(YOVGetOstrel12Enabled(finder.h, 0, &enabled), 0);
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(sim->Received(209)[0]["port"], 62977);

  int out1 = 0, out2 = 0;
  ASSERT_EQ(YOVOstrel12QueryIPEnvironment(finder.h, 0, &out1, &out2), 0);
  EXPECT_EQ(out1, 1);
  EXPECT_EQ(out2, 3);
  int state = 0, detail = 0, extra = 0;
  ASSERT_EQ(YOVOstrel12QueryProcState(finder.h, 0, &state, &detail, &extra), 0);
  EXPECT_EQ(std::vector<int>({state, detail, extra}), std::vector<int>({1, 4, 9}));
}

TEST_F(RemoteLabTest, WrongCredentialsAreRefused) {
  StartCamera(RemoteCamera({{"enabled", 0}}));
  ASSERT_EQ(YOVSetFinderCamAuth(finder.h, 0, "admin", "wrong"), 0);
  _YOVFinderResult result{};
  EXPECT_EQ(YOVEnableOstrel12(finder.h, 0, 1, &result, 0), -2);
  int out1 = 0, out2 = 0;
  EXPECT_EQ(YOVOstrel12QueryIPEnvironment(finder.h, 0, &out1, &out2), -2);
  EXPECT_EQ(YOVOstrel12SetAlias(finder.h, 0, "garden", 64), -2);
  EXPECT_EQ(State()["remote"]["enabled"], 0);
}

TEST_F(RemoteLabTest, AddressAndAliasTexts) {
  StartCamera(RemoteCamera({{"url", "http://garden.cams.example.invalid"}, {"alias", "garden"}}));
  char buffer[64];
  short size = 10;
  EXPECT_EQ(YOVQueryOstrel12URL(finder.h, 0, buffer, &size), -4);
  EXPECT_EQ(size, 35);
  ASSERT_EQ(YOVQueryOstrel12URL(finder.h, 0, buffer, &size), 0);
  EXPECT_STREQ(buffer, "http://garden.cams.example.invalid");
  size = 6;
  EXPECT_EQ(YOVOstrel12GetAlias(finder.h, 0, buffer, &size), -4);
  EXPECT_EQ(size, 6);
  size = 7;
  ASSERT_EQ(YOVOstrel12GetAlias(finder.h, 0, buffer, &size), 0);
  EXPECT_STREQ(buffer, "garden");
}

TEST_F(RemoteLabTest, AliasChangeIsPolledUntilItEnds) {
  StartCamera(RemoteCamera({{"alias", "old"}, {"alias_session", 41}}));
  SetCommandOptions(264, {{"not_ready_polls", 2}});
  ASSERT_EQ(YOVOstrel12SetAlias(finder.h, 0, "frontdoor", 64), 0);
  EXPECT_EQ(State()["remote"]["alias"], "frontdoor");
  json polls = sim->Received(264);
  ASSERT_EQ(polls.size(), 3u);
  EXPECT_EQ(labtest::Hex(polls[0]["payload"]).at(128), 41);
  EXPECT_GE(polls[2]["t_ms"].get<int64_t>() - polls[0]["t_ms"].get<int64_t>(), 200);

  struct Case {
    const char* outcome;
    int session;
    int result;
    size_t polls;
  };
  for (Case c : {Case{"refused", 41, -5, 1}, Case{"done", 0, -1, 0}}) {
    sim->Set(opslab::kMac, {{"remote", {{"alias_outcome", c.outcome}, {"alias_session", c.session}}}});
    SetCommandOptions(264, {{"not_ready_polls", 0}});
    sim->Clear();
    EXPECT_EQ(YOVOstrel12SetAlias(finder.h, 0, "backyard", 64), c.result) << c.outcome;
    EXPECT_EQ(sim->Received(264).size(), c.polls) << c.outcome;
  }
  EXPECT_EQ(State()["remote"]["alias"], "frontdoor");
}

TEST_F(RemoteLabTest, SubDomainIsKept) {
  StartCamera(RemoteCamera({}));
  _YOVFinderResult result{9, 9, 9};
  ASSERT_EQ(YOVOstrel12SetSubDN(finder.h, 0, "home", 64, &result, 0), 0);
  EXPECT_EQ(State()["remote"]["sub_domain"], "home");
  EXPECT_EQ(result.ErrorCode, 0);
}

TEST_F(RemoteLabTest, SilentCameraLeavesTheEnabledFlag) {
  StartCamera(RemoteCamera({{"enabled", 1}}));
  SetCommandOptions(209, {{"silent", true}});
  int enabled = 42;
  EXPECT_EQ(YOVGetOstrel12Enabled(finder.h, 0, &enabled), -7);
  EXPECT_EQ(enabled, 42);
}

TEST_F(RemoteLabTest, SearchOnTheRemoteAccessPort) {
  StartCamera(RemoteCamera({}));
  sim->Set(opslab::kMac, {{"remote_text1", "garden.cams"}, {"remote_value", 7}});
  labtest::RecordingSink sink;
  YOVFinderSetOverlapNotify(finder.h, &sink, 1025);
  ASSERT_EQ(YOVOstrel12Search(finder.h, 1), 0);
  EXPECT_EQ(YOVOstrel12Search(finder.h, 1), -5);
  ASSERT_TRUE(sink.WaitFor(YOV_NOTIFY_SEARCH_DONE, 15000));
  std::vector<_YOVCamSettings> found;
  for (const auto& m : sink.messages())
    if (m.what == YOV_NOTIFY_CAMERA_FOUND) {
      _YOVCamSettings r;
      std::memcpy(&r, m.record.data(), sizeof r);
      found.push_back(r);
    }
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Version, 2u);
  EXPECT_STREQ(found[0].RemoteText1, "garden.cams");
  EXPECT_EQ(found[0].RemoteValue, 7);
  EXPECT_STREQ(found[0].IpAddress, "10.60.0.10");
  EXPECT_EQ(found[0].DhcpEnabled, 0u);  // not carried by version 2
  EXPECT_EQ(sim->Received(265)[0]["port"], 62977);
  EXPECT_EQ(YOVGetCameraNum(finder.h), 1);
}

}  // namespace
