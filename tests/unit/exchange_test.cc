// The request/reply exchange and its retry rule, in virtual time.
#include <gtest/gtest.h>

#include "fake_env.h"
#include "landap/exchange.h"

namespace yov::test {
namespace {

struct RetryCase {
  const char* name;
  bool retry;
  uint16_t status;
  int attempts_left;
  bool again;
  int left_after;
};

TEST(NextAttempt, DecidesAndGrowsTheTimeout) {
  const RetryCase cases[] = {
      {"retry", true, 0, 6, true, 5},
      {"last resend", true, 0, 0, false, -1},
      {"status 4 stops", true, kStatusNoRetry, 6, false, 6},
      {"other status retries", true, 257, 3, true, 2},
      {"no retry flag", false, 0, 6, false, 6},
  };
  for (const auto& c : cases) {
    RetryState s{c.attempts_left, 1800};
    EXPECT_EQ(NextAttempt(s, c.retry, c.status, 12345), c.again) << c.name;
    EXPECT_EQ(s.attempts_left, c.left_after) << c.name;
    if (c.again) {
      EXPECT_EQ(s.timeout_ms, 1800u + 12345 % 300 + 200) << c.name;
    }
  }
}

class ExchangeTest : public ::testing::Test {
 protected:
  ExchangeTest() { request.assign(22 + 128, 0); }
  ExchangeRequest Request(size_t expected, bool retry = true) {
    return ExchangeRequest{request, expected, retry, kLandapPort, kFirstTimeoutMs};
  }
  FakeEnv env;
  std::vector<uint8_t> request;
  std::vector<uint8_t> reply;
};

TEST_F(ExchangeTest, FullReplyInOneDatagramEndsAtOnce) {
  env.peer = [](FakeSocket& s, const Sent&) { s.Deliver(std::vector<uint8_t>(38, 7), Ip("10.0.0.9"), 30); };
  uint32_t start = env.now;
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 38);
  EXPECT_EQ(env.sent.size(), 1u);
  EXPECT_EQ(env.now - start, 30u);
  EXPECT_EQ(reply, std::vector<uint8_t>(38, 7));
  EXPECT_EQ(env.sent[0].destination, 0xFFFFFFFFu);
  EXPECT_EQ(env.sent[0].port, kLandapPort);
  EXPECT_EQ(env.sent[0].bound, Ip("10.0.0.1"));
}

TEST_F(ExchangeTest, SilenceSendsSevenTimesWithGrowingTimeouts) {
  uint32_t start = env.now;
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 0);
  ASSERT_EQ(env.sent.size(), 7u);
  // Timeouts 1800, 2000, ..., 3000 each end at the next whole second: 2, 2, 3, 3, 3, 3, 3.
  std::vector<uint32_t> gaps;
  for (size_t i = 1; i < env.sent.size(); ++i) gaps.push_back(env.sent[i].at - env.sent[i - 1].at);
  EXPECT_EQ(gaps, (std::vector<uint32_t>{2000, 2000, 3000, 3000, 3000, 3000}));
  EXPECT_EQ(env.now - start, 19000u);
  EXPECT_TRUE(reply.empty());
}

TEST_F(ExchangeTest, ShortReplyWithStatusFourWaitsOutTheTimeoutButDoesNotRetry) {
  env.peer = [](FakeSocket& s, const Sent&) {
    std::vector<uint8_t> d(26, 0);
    d[16] = 4;
    s.Deliver(d, Ip("10.0.0.9"), 10);
  };
  uint32_t start = env.now;
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 26);
  EXPECT_EQ(env.sent.size(), 1u);
  EXPECT_EQ(env.now - start, 10u + 2000u);
  ASSERT_EQ(reply.size(), 38u);  // the reply area, zero padded
  EXPECT_EQ(reply[16], 4);
}

TEST_F(ExchangeTest, ShortReplyWithOtherStatusRetries) {
  env.peer = [](FakeSocket& s, const Sent&) { s.Deliver(std::vector<uint8_t>(26, 0), Ip("10.0.0.9")); };
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 26);
  EXPECT_EQ(env.sent.size(), 7u);
}

TEST_F(ExchangeTest, WithoutRetryFlagSendsOnce) {
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38, false), reply), 0);
  EXPECT_EQ(env.sent.size(), 1u);
}

TEST_F(ExchangeTest, UnbindableInterfaceSendsNothing) {
  env.unbindable.insert(Ip("10.0.0.1"));
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 0);
  EXPECT_TRUE(env.sent.empty());
}

TEST_F(ExchangeTest, AllAdaptersTriedLastToFirstSkippingAddressZero) {
  env.adapters = {MakeAdapter("a", "10.0.1.1", 1), MakeAdapter("b", "0.0.0.0", 2),
                  MakeAdapter("c", "10.0.3.1", 3)};
  // Only adapter "a" reaches the camera.
  env.peer = [](FakeSocket& s, const Sent& sent) {
    if (sent.bound == Ip("10.0.1.1")) s.Deliver(std::vector<uint8_t>(66, 1), Ip("10.0.1.9"));
  };
  EXPECT_EQ(ExchangeOnAllAdapters(env, Request(66), reply), 66);
  // "c" uses up the shared attempts (7 sends); "a" still gets its single send.
  std::vector<Ipv4> bound;
  for (const auto& s : env.sent) bound.push_back(s.bound);
  std::vector<Ipv4> want(7, Ip("10.0.3.1"));
  want.push_back(Ip("10.0.1.1"));
  EXPECT_EQ(bound, want);
}

TEST_F(ExchangeTest, AllAdaptersStopAtTheFirstFullReply) {
  env.adapters = {MakeAdapter("a", "10.0.1.1", 1), MakeAdapter("c", "10.0.3.1", 3)};
  env.peer = [](FakeSocket& s, const Sent& sent) {
    if (sent.bound == Ip("10.0.3.1")) s.Deliver(std::vector<uint8_t>(66, 1), Ip("10.0.3.9"));
  };
  EXPECT_EQ(ExchangeOnAllAdapters(env, Request(66), reply), 66);
  EXPECT_EQ(env.sent.size(), 1u);
}

}  // namespace
}  // namespace yov::test

namespace yov::test {
namespace {

TEST_F(ExchangeTest, AnEarlierAttemptsBytesDoNotLinger) {
  // First attempt: a 26-byte reply with status 7; second attempt: a bare 10-byte fragment.
  int attempt = 0;
  env.peer = [&](FakeSocket& s, const Sent&) {
    std::vector<uint8_t> d(++attempt == 1 ? 26 : 10, 0);
    if (attempt == 1) d[16] = 7, d[24] = 0x55;
    s.Deliver(d, Ip("10.0.0.9"));
  };
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38, false), reply), 26);
  attempt = 0;
  env.peer = [&](FakeSocket& s, const Sent&) {
    std::vector<uint8_t> d(++attempt == 1 ? 26 : 10, 0);
    if (attempt == 1) d[16] = 4, d[24] = 0x55;  // status 4: stop at once
    if (attempt == 2) d[0] = 0x11;
    s.Deliver(d, Ip("10.0.0.9"));
  };
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 26);
  // With retries and a status-7 first reply, the last attempt's fragment is all that remains.
  attempt = 0;
  env.peer = [&](FakeSocket& s, const Sent&) {
    std::vector<uint8_t> d(++attempt == 1 ? 26 : 10, 0);
    if (attempt == 1) d[16] = 7, d[24] = 0x55;
    s.Deliver(d, Ip("10.0.0.9"));
  };
  EXPECT_EQ(Exchange(env, Ip("10.0.0.1"), Request(38), reply), 10);
  ASSERT_EQ(reply.size(), 38u);
  EXPECT_EQ(reply[16], 0);
  EXPECT_EQ(reply[24], 0);
}

}  // namespace
}  // namespace yov::test
