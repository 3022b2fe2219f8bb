// The remote-access exports: port, payloads, text size rules, the alias polling, the state
// queries without replies, and the remote-access search, against a scripted camera.
#include <atomic>

#include "api/frame.h"
#include "camera_fixture.h"
#include "discovery/remote_access.h"

namespace yov::test {
namespace {

class RemoteTest : public CameraFixture {
 protected:
  static Datagrams Text(const Sent& r, const std::string& text, uint16_t status = 0) {
    std::vector<uint8_t> p(64, 0);
    std::copy(text.begin(), text.end(), p.begin());
    return Reply(r, p, status);
  }
  // A 16-byte result payload with the given words.
  static Datagrams Words(const Sent& r, uint32_t w0, uint32_t w1, uint16_t status = 0) {
    return Reply(r, Vec(EncodeResultPayload({w0, w1, 0, 0})), status);
  }
  uint32_t AliasSession() { return FinderOf(finder)->manager().LandapCamera(0)->sessions().alias_session; }
};

TEST_F(RemoteTest, UrlSizeRules) {
  const std::string url = "http://cam.example/1";  // 20 characters
  camera = [&](const Sent& r, const LandapHeader&) { return Text(r, url); };
  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  short size = 10;
  EXPECT_EQ(YOVQueryOstrel12URL(finder, 0, buffer, &size), -4);
  EXPECT_EQ(size, 21);
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(YOVQueryOstrel12URL(finder, 0, buffer, &size), 0);
  EXPECT_EQ(size, 21);
  EXPECT_STREQ(buffer, url.c_str());
  EXPECT_EQ(buffer[21], 'x');  // 21 bytes copied, no more
  auto sent = SentOf(CmdOstrelUrl);
  EXPECT_EQ(sent[0].port, kRemoteAccessPort);
  EXPECT_EQ(sent[0].data.size(), kHeaderSize + 128);

  camera = [&](const Sent& r, const LandapHeader&) { return Text(r, url, 1); };
  EXPECT_EQ(YOVQueryOstrel12URL(finder, 0, buffer, &size), -1);
}

TEST_F(RemoteTest, AliasSizeRuleLeavesTheSizeAlone) {
  camera = [](const Sent& r, const LandapHeader&) { return Text(r, "frontdoor"); };  // 9 + NUL
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  short size = 9;
  EXPECT_EQ(YOVOstrel12GetAlias(finder, 0, buffer, &size), -4);
  EXPECT_EQ(size, 9);
  EXPECT_EQ(buffer[0], 'x');
  size = 14;
  EXPECT_EQ(YOVOstrel12GetAlias(finder, 0, buffer, &size), 0);
  EXPECT_EQ(size, 14);
  EXPECT_STREQ(buffer, "frontdoor");
  EXPECT_EQ(std::string(buffer + 10, 4), std::string(4, '\0'));  // the first *size bytes zeroed
  EXPECT_EQ(buffer[14], 'x');
}

// The camera's answers to the alias change: the set reply carries `session`; the polls answer
// with the listed (word 0, word 1, status) triples, the last one repeated.
struct AliasScript {
  uint32_t session;
  uint16_t set_status;
  std::vector<std::array<uint32_t, 3>> polls;
};

class AliasTest : public RemoteTest {
 protected:
  void Script(AliasScript s) {
    script = std::move(s);
    camera = [this](const Sent& r, const LandapHeader& h) -> Datagrams {
      if (h.command == CmdOstrelSetAlias)
        return Reply(r, Vec(EncodeResultPayload({0, script.session, 0, 0})), script.set_status);
      if (h.command != CmdOstrelAliasResult) return {};
      auto w = script.polls[std::min(polls++, script.polls.size() - 1)];
      return Words(r, w[0], w[1], static_cast<uint16_t>(w[2]));
    };
  }
  AliasScript script;
  size_t polls = 0;
};

TEST_F(AliasTest, PollsWhileInProgress) {
  struct Case {
    const char* name;
    AliasScript script;
    int result;
    size_t polls;
  };
  const Case cases[] = {
      {"two in progress, then done", {41, 0, {{0, 2, 0}, {0, 2, 0}, {0, 0, 0}}}, 0, 3},
      {"refused alias", {41, 0, {{2, 0, 0}}}, -5, 1},
      {"refused alias in a refusal", {41, 0, {{0, 2, 0}, {2, 0, 9}}}, -5, 2},
      {"credentials refused in a poll", {41, 0, {{0, 0, 2}}}, -2, 1},
      {"other value ends like done", {41, 0, {{0, 7, 0}}}, 0, 1},
      {"session number 0", {0, 0, {{0, 0, 0}}}, -1, 0},
      {"credentials refused on set", {41, 2, {{0, 0, 0}}}, -2, 0},
      {"set refused", {41, 6, {{0, 0, 0}}}, -1, 0},
  };
  for (const Case& c : cases) {
    polls = 0;
    env.sent.clear();
    env.caller_sleeps.clear();
    Script(c.script);
    EXPECT_EQ(YOVOstrel12SetAlias(finder, 0, "garden", 64), c.result) << c.name;
    auto sent = SentOf(CmdOstrelAliasResult);
    EXPECT_EQ(sent.size(), c.polls) << c.name;
    EXPECT_EQ(AliasSession(), 0u) << c.name;  // every ending clears it
    if (!sent.empty()) {
      EXPECT_EQ(PayloadOf(sent[0], 128, 4), (std::vector<uint8_t>{41, 0, 0, 0})) << c.name;
      EXPECT_EQ(sent[0].port, kRemoteAccessPort);
      EXPECT_EQ(sent.back().at - sent[0].at, 100u * (c.polls - 1)) << c.name;
    }
  }
  auto set = SentOf(CmdOstrelSetAlias);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].data.size(), kHeaderSize + 192);
  std::vector<uint8_t> field(64, 0);
  Put(field, 0, "garden");
  EXPECT_EQ(PayloadOf(set[0], 128, 64), field);
}

TEST_F(AliasTest, GivesUpAfterThePollLimit) {
  Script({41, 0, {{0, 2, 0}}});
  EXPECT_EQ(YOVOstrel12SetAlias(finder, 0, "garden", 0), -1);
  EXPECT_EQ(SentOf(CmdOstrelAliasResult).size(), static_cast<size_t>(kAliasPollLimit));
}

TEST_F(AliasTest, NamesThatAreNotSent) {
  Script({41, 0, {{0, 0, 0}}});
  const std::string too_long(64, 'a');
  for (const char* alias : {"", static_cast<const char*>(nullptr), too_long.c_str()})
    EXPECT_EQ(YOVOstrel12SetAlias(finder, 0, alias, 0), -1);
  EXPECT_EQ(YOVOstrel12SetAlias(finder, 1, "garden", 0), -1);
  EXPECT_EQ(YOVOstrel12SetAlias(nullptr, 0, "garden", 0), -1);
  EXPECT_TRUE(env.sent.empty());
  _YOVFinderResult result{9, 9, 9};
  EXPECT_EQ(YOVOstrel12SetSubDN(finder, 0, "", 0, &result, 0), -1);
  EXPECT_EQ(YOVOstrel12SetSubDN(finder, 0, too_long.c_str(), 0, &result, 0), -1);
  EXPECT_TRUE(env.sent.empty());
}

TEST_F(RemoteTest, StateQueriesWithoutAReplyLeaveTheOutputs) {
  int enabled = 42, state = 42, detail = 42, extra = 42;
  EXPECT_EQ(YOVGetOstrel12Enabled(finder, 0, &enabled), -7);
  EXPECT_EQ(YOVOstrel12QueryProcState(finder, 0, &state, &detail, &extra), -7);
  EXPECT_EQ(enabled, 42);
  EXPECT_EQ(state + detail + extra, 3 * 42);
  for (uint16_t command : {CmdOstrelGetEnabled, CmdOstrelProcState}) {
    auto sent = SentOf(command);
    EXPECT_EQ(sent.size(), 7u);  // with retries
    EXPECT_EQ(sent[0].data.size(), kHeaderSize);  // no credential block
    EXPECT_EQ(sent[0].port, kRemoteAccessPort);
  }
}

TEST_F(RemoteTest, StateQueriesReadTheReplyWords) {
  uint16_t sequence_shift = 0;
  camera = [&](const Sent& r, const LandapHeader&) {
    Datagrams d = Reply(r, Vec(EncodeResultPayload({1, 2, 3, 0})));
    PutU16(d[0], 2, static_cast<uint16_t>(GetU16(d[0], 2) + sequence_shift));
    return d;
  };
  int enabled = 0, state = 0, detail = 0, extra = 0;
  EXPECT_EQ(YOVGetOstrel12Enabled(finder, 0, &enabled), 0);
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(YOVOstrel12QueryProcState(finder, 0, &state, &detail, &extra), 0);
  EXPECT_EQ(std::vector<int>({state, detail, extra}), std::vector<int>({1, 2, 3}));
  // Another request's reply: -1, and the outputs hold its words.
  sequence_shift = 1;
  state = detail = extra = 0;
  EXPECT_EQ(YOVOstrel12QueryProcState(finder, 0, &state, &detail, &extra), -1);
  EXPECT_EQ(std::vector<int>({state, detail, extra}), std::vector<int>({1, 2, 3}));
}

TEST_F(RemoteTest, IpEnvironmentBytes) {
  uint16_t status = 0;
  camera = [&](const Sent& r, const LandapHeader&) {
    std::vector<uint8_t> p(16, 0);
    Put(p, 0, {0x03, 0x01});
    return Reply(r, p, status);
  };
  int out1 = 0, out2 = 0;
  EXPECT_EQ(YOVOstrel12QueryIPEnvironment(finder, 0, &out1, &out2), 0);
  EXPECT_EQ(out1, 1);
  EXPECT_EQ(out2, 3);
  status = 2;
  EXPECT_EQ(YOVOstrel12QueryIPEnvironment(finder, 0, &out1, &out2), -2);
  status = 5;
  EXPECT_EQ(YOVOstrel12QueryIPEnvironment(finder, 0, &out1, &out2), -1);
  EXPECT_EQ(YOVOstrel12QueryIPEnvironment(finder, 0, nullptr, &out2), -3);
}

TEST_F(RemoteTest, EnableSendsTheSwitchByteAndSleepsTheWaitingTime) {
  uint16_t status = 0;
  camera = [&](const Sent& r, const LandapHeader&) { return Result(r, 0, 1500, status); };
  _YOVFinderResult result{};
  EXPECT_EQ(YOVEnableOstrel12(finder, 0, 0x101, &result, 0), 0);
  auto sent = SentOf(CmdOstrelEnable);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].port, kRemoteAccessPort);
  EXPECT_EQ(sent[0].data.size(), kHeaderSize + 144);
  std::vector<uint8_t> tail(16, 0);
  tail[0] = 1;  // the low byte of 0x101
  EXPECT_EQ(PayloadOf(sent[0], 128, 16), tail);
  EXPECT_EQ(result.WaitTime, 1500u);
  EXPECT_EQ(env.caller_sleeps, (std::vector<uint32_t>{1500}));
  status = 2;
  EXPECT_EQ(YOVEnableOstrel12(finder, 0, 1, &result, 0), -2);
  status = 3;
  EXPECT_EQ(YOVEnableOstrel12(finder, 0, 1, &result, 0), -1);
}

TEST_F(RemoteTest, SubDomainIsSentAsATextField) {
  camera = [](const Sent& r, const LandapHeader&) { return Result(r, 0, 0); };
  _YOVFinderResult result{9, 9, 9};
  EXPECT_EQ(YOVOstrel12SetSubDN(finder, 0, "home", 0, &result, 0), 0);
  auto sent = SentOf(CmdOstrelSetSubDomain);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].port, kRemoteAccessPort);
  std::vector<uint8_t> field(64, 0);
  Put(field, 0, "home");
  EXPECT_EQ(PayloadOf(sent[0], 128, 64), field);
  EXPECT_EQ(result.ErrorCode, 0);
}

// A sink whose sent messages wait until the test lets them through, so a search worker stays
// busy; NotifyCameraFound records are copied while they are valid.
struct GateSink {
  YOVNotifySink sink{&Alive, &SendTo, &PostTo};
  std::atomic<bool> open{false};
  std::mutex mutex;
  std::vector<_YOVCamSettings> found;
  int done = 0;

  static GateSink& Of(YOVNotifySink* s) { return *reinterpret_cast<GateSink*>(s); }
  static int Alive(YOVNotifySink*) { return 1; }
  static int PostTo(YOVNotifySink*, unsigned, uintptr_t, intptr_t) { return 1; }
  static intptr_t SendTo(YOVNotifySink* s, unsigned, uintptr_t what, intptr_t param) {
    GateSink& g = Of(s);
    while (!g.open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard lock(g.mutex);
    if (what == YOV_NOTIFY_CAMERA_FOUND) g.found.push_back(*reinterpret_cast<_YOVCamSettings*>(param));
    if (what == YOV_NOTIFY_SEARCH_DONE) ++g.done;
    return 0;
  }
};

TEST_F(RemoteTest, SearchOnTheRemoteAccessPort) {
  const Mac remote_mac = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x99};
  env.peer = [&](FakeSocket& s, const Sent& sent) {
    if (sent.port != kRemoteAccessPort || DecodeHeader(sent.data)->command != CmdOstrelSearch) return;
    RemoteInfo info;
    info.mac = remote_mac;
    info.ip_address = Ip("10.0.0.99");
    info.camera_name = MakeText<64>("remote one");
    s.Deliver(ReplyTo(sent.data, Vec(EncodeRemoteInfo(info)), 0, &remote_mac), Ip("10.0.0.99"));
  };
  EXPECT_EQ(YOVOstrel12Search(finder, 1), -3);  // no sink yet
  GateSink gate;
  YOVFinderSetOverlapNotify(finder, &gate.sink, 1025);
  EXPECT_EQ(YOVOstrel12Search(finder, 1), 0);
  EXPECT_EQ(YOVOstrel12Search(finder, 1), -5);  // the first still waits in its message
  EXPECT_EQ(YOVOstrel12Search(finder, 0), -1);
  gate.open = true;
  YOVDestroyFinder(finder);  // joins the worker
  finder = nullptr;
  ASSERT_EQ(gate.found.size(), 1u);
  EXPECT_EQ(gate.found[0].Version, 2u);
  EXPECT_STREQ(gate.found[0].CameraName, "remote one");
  EXPECT_STREQ(gate.found[0].IpAddress, "10.0.0.99");
  EXPECT_EQ(gate.done, 1);
  auto search = env.sent.front();
  EXPECT_EQ(search.data.size(), kHeaderSize);
  EXPECT_EQ(DecodeHeader(search.data)->target_mac, kBroadcastMac);
}

TEST_F(RemoteTest, ForegroundSearchReplacesTheList) {
  EXPECT_EQ(YOVOstrel12Search(finder, 0), -1);  // nobody answers on 62977
  EXPECT_EQ(YOVGetCameraNum(finder), 0);
}

}  // namespace
}  // namespace yov::test
