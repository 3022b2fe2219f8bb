// WPS: the choice of method, the secure exchange against a camera that runs its own side of
// the key agreement, the 120 s budget, the older method and the WPS worker, in virtual time.
#include <algorithm>

#include "api/frame.h"
#include "camera_fixture.h"
#include "discovery/camera_wps.h"
#include "security/key_agreement.h"
#include "security/scrambling.h"

namespace yov::test {
namespace {

// The camera's side of the secure exchange, written from the message layouts: payload offsets
// count from the start of the payload (credentials at 0 and 64).
struct SecureCamera {
  uint8_t push_button = 1, pin = 1;  // the capability bytes
  int key_not_ready = 0;             // CmdWpsGetCameraKey answered 257 this often first
  int result_not_ready = 0;          // CmdWpsKeyResult likewise; -1: for ever
  bool key_silent = false;           // CmdWpsGetCameraKey never answered
  int finder_key_len = 0;            // the finder's dhkey_len, read when 179 arrives

  uint8_t wire_mode = 0;
  std::vector<uint8_t> sent_pin;
  std::vector<uint8_t> own_secret, returned_secret;
  std::shared_ptr<DhKeyPair> pair = std::make_shared<DhKeyPair>();

  Datagrams Answer(const Sent& r, const LandapHeader& h) {
    auto payload = [&](size_t at, size_t n) {
      auto first = r.data.begin() + kHeaderSize + at;
      return std::vector<uint8_t>(first, first + n);
    };
    switch (h.command) {
      case CmdGetOptionCmds:
        return {ReplyTo(r.data, std::vector<uint8_t>{166, 0, 178, 0, 192, 0})};
      case CmdWirelessStatus:
        return {ReplyTo(r.data, std::vector<uint8_t>{push_button, pin, 0, 0})};
      case CmdWpsKeyStart: {
        std::vector<uint8_t> fields = payload(132, 200);
        Unscramble(fields);
        wire_mode = payload(128, 1)[0];
        sent_pin.assign(fields.begin() + 192, fields.end());
        TakeFinderKey(Bytes(fields.data(), finder_key_len));
        return {ReplyTo(r.data, Vec(EncodeResultPayload({})))};
      }
      case CmdWpsGetCameraKey: {
        if (key_silent) return {};
        std::vector<uint8_t> p(196, 0);
        if (key_not_ready-- > 0) return {ReplyTo(r.data, p, kStatusNotReady)};
        pair->PublicBytes(MutableBytes(p).subspan(4, 192));
        Scramble(MutableBytes(p).subspan(4, 192));
        return {ReplyTo(r.data, p)};
      }
      case CmdWpsSendSecret: {
        returned_secret = payload(132, 192);
        Unscramble(returned_secret);
        return {ReplyTo(r.data, Vec(EncodeResultPayload({})))};
      }
      case CmdWpsKeyResult: {
        if (result_not_ready < 0 || result_not_ready-- > 0)
          return {ReplyTo(r.data, std::vector<uint8_t>(16, 0), kStatusNotReady)};
        uint16_t status = SecretsAgree() ? 0 : 1;
        return {ReplyTo(r.data, Vec(EncodeResultPayload({})), status)};
      }
    }
    return {};
  }

  // Picks a key pair whose public value has the finder's length, since the finder reads ours
  // with its own length, and computes the secret from the finder's value.
  void TakeFinderKey(Bytes finder_key) {
    std::array<uint8_t, kDhFieldSize> pub{};
    do {
      pair->Generate();
      pub.fill(0);
    } while (pair->PublicBytes(pub) != finder_key_len);
    own_secret.assign(kDhFieldSize, 0);
    pair->Secret(finder_key, own_secret);
  }
  bool SecretsAgree() const { return !own_secret.empty() && own_secret == returned_secret; }
};

class WpsTest : public CameraFixture {
 protected:
  WpsTest() { camera = [this](const Sent& r, const LandapHeader& h) { return Answer(r, h); }; }

  Datagrams Answer(const Sent& r, const LandapHeader& h) {
    if (h.command == CmdWpsKeyStart) secure.finder_key_len = Camera().sessions().keys.dhkey_len;
    if (older) return AnswerOlder(r, h);
    return secure.Answer(r, h);
  }
  // A camera without option 178: start gives session 77, the result poll `older_value`.
  Datagrams AnswerOlder(const Sent& r, const LandapHeader& h) {
    if (h.command == CmdGetOptionCmds) return Reply(r, {166, 0, 192, 0});
    if (h.command == CmdWpsStart) return Reply(r, Vec(EncodeResultPayload({0, 0, 0, 77})), start_status);
    if (h.command == CmdWpsResult) return Result(r, older_value, 0);
    return {};
  }

  CLANDAPObj& Camera() { return *FinderOf(finder)->manager().LandapCamera(0); }
  int Run(int mode, const std::string& pin = "") {
    testing::internal::CaptureStderr();  // the key agreement's diagnostic lines
    int r = RunWps(FinderOf(finder)->manager(), 0, mode, pin);
    printed = testing::internal::GetCapturedStderr();
    return r;
  }

  SecureCamera secure;
  bool older = false;
  uint16_t start_status = 0;
  uint32_t older_value = 0;
  std::string printed;
};

bool ValidPin(const std::vector<uint8_t>& pin) {
  if (pin.size() != 8) return false;
  int sum = 0;
  for (int i = 0; i < 8; ++i) {
    if (pin[i] < '0' || pin[i] > '9') return false;
    sum += (pin[i] - '0') * (i % 2 == 0 ? 3 : 1);
  }
  return sum % 10 == 0;
}

TEST_F(WpsTest, SecureExchangeAgreesOnTheSecretInBothModes) {
  struct Case {
    int mode;
    uint8_t wire_mode;
    bool pin_sent;
  };
  for (Case c : {Case{kWpsModePin, 2, true}, Case{kWpsModePushButton, 1, false}}) {
    secure = SecureCamera{};
    secure.key_not_ready = 3;
    secure.result_not_ready = 2;
    env.sent.clear();
    EXPECT_EQ(Run(c.mode, "caller's PIN"), 0) << c.mode;
    EXPECT_TRUE(secure.SecretsAgree()) << c.mode;
    EXPECT_EQ(secure.wire_mode, c.wire_mode);
    if (c.pin_sent)
      EXPECT_TRUE(ValidPin(secure.sent_pin));
    else
      EXPECT_EQ(secure.sent_pin, std::vector<uint8_t>(8, 0));
    EXPECT_EQ(SentOf(CmdWpsGetCameraKey).size(), 4u);
    EXPECT_EQ(SentOf(CmdWpsKeyResult).size(), 3u);
    EXPECT_FALSE(HasPendingKeyPair());
    EXPECT_NE(printed.find("GenerateDHPublicKey Success dhkey_len"), std::string::npos);
    // Each request of a poll takes a new sequence number.
    auto polls = SentOf(CmdWpsGetCameraKey);
    EXPECT_NE(DecodeHeader(polls[0].data)->sequence, DecodeHeader(polls[1].data)->sequence);
  }
}

TEST_F(WpsTest, RequestSizesAndPorts) {
  ASSERT_EQ(Run(kWpsModePin), 0);
  struct Expect {
    uint16_t command;
    size_t payload;
  };
  for (Expect e : {Expect{CmdWirelessStatus, 128}, Expect{CmdWpsKeyStart, 332},
                   Expect{CmdWpsGetCameraKey, 128}, Expect{CmdWpsSendSecret, 324},
                   Expect{CmdWpsKeyResult, 128}}) {
    auto sent = SentOf(e.command);
    ASSERT_FALSE(sent.empty()) << e.command;
    EXPECT_EQ(sent[0].data.size(), kHeaderSize + e.payload) << e.command;
    EXPECT_EQ(sent[0].port, kLandapPort);
  }
  // No retries: one send per request.
  EXPECT_EQ(SentOf(CmdWpsKeyStart).size(), 1u);
}

TEST_F(WpsTest, ModeTheCameraDoesNotOffer) {
  secure.pin = 0;
  EXPECT_EQ(Run(kWpsModePin), kOpModeUnsupported);
  EXPECT_TRUE(SentOf(CmdWpsKeyStart).empty());
  secure.push_button = 0;
  secure.pin = 1;
  EXPECT_EQ(Run(kWpsModePushButton), kOpModeUnsupported);
  EXPECT_EQ(YOVCameraWPS(finder, 0, kWpsModePushButton, "", 0), -1);
}

TEST_F(WpsTest, NotReadyForEverEndsAfter120SecondsFromTheStart) {
  struct Case {
    const char* name;
    int key_not_ready;
    bool key_silent;
    int result_not_ready;
  };
  for (Case c : {Case{"camera key 257", 1 << 30, false, 0}, Case{"camera key silent", 0, true, 0},
                 Case{"key late, result 257", 600, false, -1}}) {
    secure = SecureCamera{};
    secure.key_not_ready = c.key_not_ready;
    secure.key_silent = c.key_silent;
    secure.result_not_ready = c.result_not_ready;
    env.sent.clear();
    uint32_t begin = env.now;
    EXPECT_EQ(Run(kWpsModePushButton), kOpTimedOut) << c.name;
    // The budget counts from before CmdWpsKeyStart, across both polls.
    uint32_t start = SentOf(CmdWpsKeyStart).at(0).at;
    EXPECT_GT(env.now - start, kWpsBudgetMs) << c.name;
    EXPECT_LT(env.now - start, kWpsBudgetMs + 2200) << c.name;
    EXPECT_GT(start, begin - 1);
  }
}

TEST_F(WpsTest, RefusedSecretEndsWithTheDecodedResult) {
  // A camera whose secret differs (here: it swaps its key after the start) refuses in 182.
  camera = [this](const Sent& r, const LandapHeader& h) {
    Datagrams d = Answer(r, h);
    if (h.command == CmdWpsSendSecret) secure.returned_secret.assign(192, 0xEE);
    return d;
  };
  EXPECT_EQ(Run(kWpsModePin), kOpRefused);
}

TEST_F(WpsTest, OlderMethodStartsAndPollsOnce) {
  older = true;
  struct Case {
    const char* name;
    int mode;
    std::string pin;
    uint32_t value;
    int result;
    uint32_t session_after;
  };
  for (const Case& c : {Case{"finished", kWpsModePin, "12345670", 0, kOpOk, 0},
                        Case{"still running", kWpsModePushButton, "", 2, kOpNotReady, 77},
                        Case{"other value", kWpsModePushButton, "", 5, kOpOk, 77}}) {
    env.sent.clear();
    env.caller_sleeps.clear();
    older_value = c.value;
    EXPECT_EQ(Run(c.mode, c.pin), c.result) << c.name;
    auto start = SentOf(CmdWpsStart);
    ASSERT_EQ(start.size(), 1u) << c.name;
    EXPECT_EQ(start[0].data.size(), kHeaderSize + 140u);
    EXPECT_EQ(PayloadOf(start[0], 128, 1)[0], c.mode);
    std::vector<uint8_t> pin_field(11, 0);
    std::copy(c.pin.begin(), c.pin.end(), pin_field.begin());
    EXPECT_EQ(PayloadOf(start[0], 129, 11), pin_field) << c.name;
    auto poll = SentOf(CmdWpsResult);
    ASSERT_EQ(poll.size(), 1u) << c.name;
    EXPECT_EQ(PayloadOf(poll[0], 128, 4), (std::vector<uint8_t>{77, 0, 0, 0}));
    EXPECT_EQ(Camera().sessions().wps_session, c.session_after) << c.name;
    EXPECT_EQ(env.caller_sleeps.size(), c.value == 2 ? 1u : 0u) << c.name;
  }
}

TEST_F(WpsTest, OlderMethodWithoutASessionGivesInvalid) {
  older = true;
  EXPECT_EQ(Run(kWpsModePin, "1234567"), kOpInvalid);  // a PIN of 7 characters
  EXPECT_TRUE(SentOf(CmdWpsStart).empty());
  EXPECT_EQ(YOVCameraWPS(finder, 0, kWpsModePin, "1234567", 0), -1);

  // A refused start must not poll the session of an earlier start.
  older_value = 2;
  ASSERT_EQ(Run(kWpsModePushButton), kOpNotReady);
  start_status = 7;
  env.sent.clear();
  EXPECT_EQ(Run(kWpsModePushButton), kOpInvalid);
  EXPECT_TRUE(SentOf(CmdWpsResult).empty());
}

TEST_F(WpsTest, ExportChecksModeAndSinkAndPostsTheMappedResult) {
  EXPECT_EQ(YOVCameraWPS(finder, 0, 3, "", 0), -3);
  EXPECT_EQ(YOVCameraWPS(finder, 0, 0, "", 1), -3);
  EXPECT_EQ(YOVCameraWPS(nullptr, 0, 1, "", 0), -1);
  EXPECT_EQ(YOVCameraWPS(finder, 0, kWpsModePushButton, "", 1), -3);  // no sink yet
  EXPECT_TRUE(env.sent.empty());

  RecordingSink sink;
  YOVFinderSetOverlapNotify(finder, &sink.sink, 1025);
  secure.pin = 0;
  testing::internal::CaptureStderr();
  ASSERT_EQ(YOVCameraWPS(finder, 0, kWpsModePin, nullptr, 1), 0);
  ASSERT_TRUE(sink.WaitForPost());
  YOVDestroyFinder(finder);  // joins the worker
  finder = nullptr;
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(sink.posted.size(), 1u);
  EXPECT_EQ(sink.posted[0].msg, 1025u);
  EXPECT_EQ(sink.posted[0].wparam, uintptr_t{YOV_NOTIFY_WPS_DONE});
  EXPECT_EQ(sink.posted[0].lparam, -6);
}

TEST(WpsDoneCode, MapsProcedureResults) {
  const std::pair<int, int> cases[] = {{0, 0},   {-3, -3}, {-6, -4}, {-8, -6}, {-9, -7},
                                       {-7, -1}, {1, -1},  {2, -1},  {-1, -1}};
  for (auto [result, code] : cases) EXPECT_EQ(WpsDoneCode(result), code) << result;
}

TEST_F(WpsTest, DestroyingCameraObjectsDiscardsThePendingKeyPair) {
  std::array<uint8_t, kDhBufferSize> out{};
  int32_t len = 0;
  testing::internal::CaptureStderr();
  GenerateDHPublicKey(out, len);
  testing::internal::GetCapturedStderr();
  ASSERT_TRUE(HasPendingKeyPair());
  YOVFinderSearch(finder, 0);  // empties the list first
  EXPECT_FALSE(HasPendingKeyPair());
}

}  // namespace
}  // namespace yov::test
