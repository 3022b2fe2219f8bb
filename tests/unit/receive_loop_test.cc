// CBCModule's receive loops in virtual time.
#include <gtest/gtest.h>

#include "fake_env.h"
#include "landap/bc_module.h"

namespace yov::test {
namespace {

class ReceiveLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(bc.Open(Ip("10.0.0.1"), 0, false), 0);
    // The module owns its socket; the fake hands it out through the peer on the first send.
    env.peer = [this](FakeSocket& s, const Sent&) { socket = &s; };
    bc.Send(std::vector<uint8_t>{1}, 0, 1);
    start = env.now;
  }
  void Arrive(size_t bytes, uint32_t delay, const char* from = "10.0.0.9") {
    socket->Deliver(std::vector<uint8_t>(bytes, 0xAB), Ip(from), delay);
  }
  uint32_t Elapsed() const { return env.now - start; }

  FakeEnv env;
  CBCModule bc{env};
  FakeSocket* socket = nullptr;
  uint32_t start = 0;
  uint8_t buffer[65536] = {};
};

TEST_F(ReceiveLoopTest, SilenceEndsAtTheFirstWholeSecondPastTheTimeout) {
  EXPECT_EQ(bc.Collect(1800, buffer, 38, nullptr, nullptr), 0);
  EXPECT_EQ(Elapsed(), 2000u);  // one-second waits: 1000 (800 left), 2000 (over)
}

TEST_F(ReceiveLoopTest, EachDatagramRestartsTheTiming) {
  Arrive(10, 2500);  // arrives during the third wait
  EXPECT_EQ(bc.Collect(3000, buffer, 100, nullptr, nullptr), 10);
  EXPECT_EQ(Elapsed(), 2500u + 3000u);
}

TEST_F(ReceiveLoopTest, ExpectedSizeCompletesAtOnce) {
  Arrive(20, 100);
  Arrive(18, 200);
  EXPECT_EQ(bc.Collect(1800, buffer, 38, nullptr, nullptr), 38);
  EXPECT_EQ(Elapsed(), 200u);
}

TEST_F(ReceiveLoopTest, ExactlyOneHundredSixBytesCompletes) {
  Arrive(106, 50);
  EXPECT_EQ(bc.Collect(1800, buffer, 547, nullptr, nullptr), 106);
  EXPECT_EQ(Elapsed(), 50u);
}

TEST_F(ReceiveLoopTest, OwnBroadcastIsIgnored) {
  Arrive(38, 10, "10.0.0.1");
  Ipv4 first = 0;
  EXPECT_EQ(bc.Collect(1800, buffer, 38, &first, nullptr), 0);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(Elapsed(), 10u + 2000u);  // it still restarts the one-second wait
}

TEST_F(ReceiveLoopTest, DatagramLargerThanTheSpaceLeftIsAReceiveError) {
  Arrive(30, 10);
  Arrive(30, 20);  // only 8 bytes of room left
  EXPECT_EQ(bc.Collect(1800, buffer, 38, nullptr, nullptr), 30);
  EXPECT_EQ(Elapsed(), 20u);
}

TEST_F(ReceiveLoopTest, HandlerCountsAcceptedDatagramsAndRecordsFirstSender) {
  Arrive(40, 10, "10.0.0.7");
  Arrive(50, 20, "10.0.0.8");
  Arrive(60, 30, "10.0.0.1");  // own
  std::vector<size_t> lengths;
  Ipv4 first = 0;
  int n = bc.Collect(3000, nullptr, 0, &first, [&](Bytes d, Ipv4, Ipv4 bound) {
    EXPECT_EQ(bound, Ip("10.0.0.1"));
    lengths.push_back(d.size());
    return d.size() == 40 ? 1 : 0;
  });
  EXPECT_EQ(n, 1);
  EXPECT_EQ(lengths, (std::vector<size_t>{40, 50}));
  EXPECT_EQ(first, Ip("10.0.0.7"));
}

TEST_F(ReceiveLoopTest, WaitErrorEndsWithWhatArrived) {
  Arrive(10, 5);
  socket->FailWaitAfter(1);
  EXPECT_EQ(bc.Collect(1800, buffer, 38, nullptr, nullptr), 10);
  EXPECT_EQ(Elapsed(), 5u);
}

TEST_F(ReceiveLoopTest, WaitErrorWithoutBufferReportsMinusOne) {
  socket->FailWaitAfter(0);
  EXPECT_EQ(bc.Collect(1800, nullptr, 0, nullptr, [](Bytes, Ipv4, Ipv4) { return 1; }), -1);
}

TEST_F(ReceiveLoopTest, StopFlagIsSeenAtTheEndOfAWait) {
  // Unlimited timeout: only the stop flag ends it. Collect clears it at the start, so set it
  // from the handler of a datagram.
  Arrive(10, 5);
  int n = bc.Collect(kWaitForever, nullptr, 0, nullptr, [&](Bytes, Ipv4, Ipv4) {
    bc.stop = 1;
    return 1;
  });
  EXPECT_EQ(n, 1);
  EXPECT_EQ(Elapsed(), 5u + 1000u);
}

TEST_F(ReceiveLoopTest, FramedReceiveCompletesAtPayloadLengthPlusHeader) {
  std::vector<uint8_t> first(22 + 40, 0);
  first[20] = 76;  // PayloadLength 76: 98 bytes in all
  socket->Deliver(first, Ip("10.0.0.9"), 10);
  socket->Deliver(std::vector<uint8_t>(36, 0), Ip("10.0.0.9"), 20);
  EXPECT_EQ(bc.ReceiveFramed(1800, buffer, 746), 98);
  EXPECT_EQ(Elapsed(), 20u);
}

TEST_F(ReceiveLoopTest, FramedReceiveWaitsThreeSecondsAtATime) {
  EXPECT_EQ(bc.ReceiveFramed(1800, buffer, 746), 0);
  EXPECT_EQ(Elapsed(), 3001u);  // one wait of 3 s + 500 us, rounded up to whole ms
}

}  // namespace
}  // namespace yov::test
