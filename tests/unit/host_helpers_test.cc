// Host-side helpers: the free-address search by ARP, the DHCP probe, the interface that reaches
// the camera, and the camera's network-change polls, against fakes in virtual time.
#include <random>
#include <set>

#include "camera_fixture.h"
#include "discovery/free_address.h"
#include "landap/dhcp_probe.h"

namespace yov::test {
namespace {

// Answers for the addresses in `in_use`; records every batch it was asked.
class FakeArpProber : public ArpProber {
 public:
  std::vector<bool> Probe(const Adapter&, std::span<const Ipv4> targets, uint32_t) override {
    batches.emplace_back(targets.begin(), targets.end());
    std::vector<bool> out;
    for (Ipv4 t : targets) out.push_back(in_use.count(t) > 0);
    return out;
  }
  std::set<Ipv4> in_use;
  std::vector<std::vector<Ipv4>> batches;
};

// Ip() reads "255.255.255.255" as 0, as record fields do; a mask may well be all ones.
Ipv4 Mask(const char* text) { return std::string(text) == "255.255.255.255" ? 0xFFFFFFFFu : Ip(text); }

std::vector<Ipv4> Walk(const char* address, const char* mask) {
  SubnetWalk walk(Ip(address), Mask(mask));
  std::vector<Ipv4> out;
  while (auto a = walk.Next()) out.push_back(*a);
  return out;
}

TEST(SubnetWalk, AscendingWithoutTheFirstAndLastOfTheLastOctet) {
  struct Case {
    const char* address;
    const char* mask;
    size_t count;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {"10.0.0.7", "255.255.255.0", 254, "10.0.0.1", "10.0.0.254"},
      {"10.0.1.7", "255.255.254.0", 508, "10.0.0.1", "10.0.1.254"},
      {"10.0.0.5", "255.255.255.252", 2, "10.0.0.5", "10.0.0.6"},
      {"10.0.0.5", "255.255.255.254", 0, nullptr, nullptr},
      {"10.0.0.5", "255.255.255.255", 0, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    auto w = Walk(c.address, c.mask);
    ASSERT_EQ(w.size(), c.count) << c.mask;
    if (!c.count) continue;
    EXPECT_EQ(w.front(), Ip(c.first)) << c.mask;
    EXPECT_EQ(w.back(), Ip(c.last)) << c.mask;
  }
  // In a /23 the end of one last-octet range is followed by the start of the next.
  auto w = Walk("10.0.1.7", "255.255.254.0");
  EXPECT_EQ(w[253], Ip("10.0.0.254"));
  EXPECT_EQ(w[254], Ip("10.0.1.1"));
}

TEST(FindFreeAddress, BatchesGiveTheSameAddressAsOneAtATime) {
  Adapter a = MakeAdapter("lan0", "10.0.0.40", 1);
  std::mt19937 rng(3);
  for (int trial = 0; trial < 200; ++trial) {
    FakeArpProber prober;
    int used_up_to = static_cast<int>(rng() % 254);  // a dense start, then random gaps
    for (int host = 1; host <= 254; ++host)
      if (host <= used_up_to || rng() % 4 != 0) prober.in_use.insert(Ip(("10.0.0." + std::to_string(host)).c_str()));
    Ipv4 expected = 0;  // the first address, in order, that is neither used nor our own
    for (Ipv4 candidate : Walk("10.0.0.40", "255.255.255.0"))
      if (candidate != a.address && !prober.in_use.count(candidate)) {
        expected = candidate;
        break;
      }
    ASSERT_EQ(FindFreeAddress(prober, a), expected) << trial;
    for (const auto& batch : prober.batches) {
      EXPECT_LE(batch.size(), kArpBatchSize);
      EXPECT_EQ(std::count(batch.begin(), batch.end(), a.address), 0);  // never ask for our own
    }
  }
}

class HostHelperTest : public CameraFixture {
 protected:
  HostHelperTest() { ArpProber::SetDefault(&prober); }
  ~HostHelperTest() override { ArpProber::SetDefault(nullptr); }
  FakeArpProber prober;
};

TEST_F(HostHelperTest, FreeIpWritesTheAddressAndItsSize) {
  for (const char* host : {"10.0.0.2", "10.0.0.3"}) prober.in_use.insert(Ip(host));
  char buffer[20];
  std::memset(buffer, 'x', sizeof buffer);
  short size = 5;
  EXPECT_EQ(YOVGetFreeIP(finder, 0, buffer, &size), -4);
  EXPECT_EQ(size, 9);
  EXPECT_EQ(buffer[0], 'x');
  size = 20;
  EXPECT_EQ(YOVGetFreeIP(finder, 0, buffer, &size), 0);  // .1 is the PC itself
  EXPECT_STREQ(buffer, "10.0.0.4");
  EXPECT_EQ(size, 9);
}

TEST_F(HostHelperTest, FreeIpFindsNothing) {
  char buffer[20];
  short size = 20;
  env.adapters[0].mask = Mask("255.255.255.255");  // re-resolution sees the new mask
  EXPECT_EQ(YOVGetFreeIP(finder, 0, buffer, &size), -7);
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(prober.batches.empty());

  env.adapters[0].hardware[5] = 9;  // the adapter is gone
  size = 20;
  EXPECT_EQ(YOVGetFreeIP(finder, 0, buffer, &size), -1);
  EXPECT_EQ(YOVGetFreeIP(finder, 0, nullptr, &size), -3);
  EXPECT_EQ(YOVGetFreeIP(finder, 1, buffer, &size), -1);
}

TEST(DhcpProbe, DiscoverPacketBytes) {
  auto p = BuildDhcpDiscover({0x02, 0x11, 0x22, 0x33, 0x44, 0x55});
  std::vector<uint8_t> expected(300, 0);
  Put(expected, 0, {1, 1, 6, 0, 0x83, 0x78, 0x32, 0xE8, 0, 0, 0x80, 0});
  Put(expected, 28, {0x02, 0x11, 0x22, 0x33, 0x44, 0x55});
  Put(expected, 236, {99, 130, 83, 99, 53, 1, 1, 255});
  EXPECT_EQ(Vec(p), expected);
}

class DhcpTest : public HostHelperTest {
 protected:
  DhcpTest() {
    env.peer = [this](FakeSocket& s, const Sent& sent) {
      if (sent.port != kDhcpServerPort) return;
      probes.push_back(sent);
      probe_ports.push_back(s.LocalPort());
      if (server) s.Deliver(std::vector<uint8_t>(320, 2), Ip("10.0.0.254"), 40);
    };
  }
  bool server = true;
  std::vector<Sent> probes;
  std::vector<uint16_t> probe_ports;
};

TEST_F(DhcpTest, FirstAnsweringHostIsTheServer) {
  char buffer[16];
  short size = 10;  // "10.0.0.254" needs 11
  EXPECT_EQ(YOVDHCPDiscover(finder, 0, buffer, &size), -4);
  EXPECT_EQ(size, 11);
  EXPECT_EQ(YOVDHCPDiscover(finder, 0, buffer, &size), 0);
  EXPECT_STREQ(buffer, "10.0.0.254");
  EXPECT_EQ(size, 11);
  ASSERT_EQ(probes.size(), 2u);
  EXPECT_EQ(probes[0].data.size(), 300u);
  EXPECT_EQ(probes[0].destination, 0xFFFFFFFFu);
  EXPECT_EQ(probes[0].bound, Ip("10.0.0.1"));
  EXPECT_EQ(probe_ports[0], kDhcpClientPort);
  EXPECT_EQ(std::vector<uint8_t>(probes[0].data.begin() + 28, probes[0].data.begin() + 34),
            std::vector<uint8_t>({0x02, 0, 0, 0, 0, 1}));  // the adapter's MAC
}

TEST_F(DhcpTest, NoServerGivesNotFoundAfterTwoToThreeSeconds) {
  server = false;
  char buffer[16];
  short size = 16;
  uint32_t start = env.now;
  EXPECT_EQ(YOVDHCPDiscover(finder, 0, buffer, &size), -7);
  EXPECT_EQ(size, 0);
  EXPECT_GE(env.now - start, 2000u);
  EXPECT_LE(env.now - start, 3000u);
}

TEST_F(HostHelperTest, ThruInterfaceDescribesTheAdapterAsItIsNow) {
  Adapter& a = env.adapters[0];
  a.dhcp = true;
  a.gateway = Ip("10.0.0.254");
  a.dns1 = 0xFFFFFFFFu;
  a.dns2 = Ip("9.9.9.9");
  a.address = Ip("10.0.0.77");  // the PC's address changed since the search
  _YOVThruInterface out;
  std::memset(&out, 'x', sizeof out);
  ASSERT_EQ(YOVGetThruInterface(finder, 0, &out), 0);
  EXPECT_STREQ(out.IpAddress, "10.0.0.77");
  EXPECT_STREQ(out.SubnetMask, "255.255.255.0");
  EXPECT_STREQ(out.Gateway, "10.0.0.254");
  EXPECT_STREQ(out.PrimaryDns, "0.0.0.0");
  EXPECT_STREQ(out.SecondaryDns, "9.9.9.9");
  EXPECT_EQ(out.DhcpEnabled, 1u);
  EXPECT_EQ(std::vector<uint8_t>(out.MacAddress, out.MacAddress + 6),
            std::vector<uint8_t>({0x02, 0, 0, 0, 0, 1}));
  // The search's snapshot is unchanged, so asking again still finds the adapter.
  ASSERT_EQ(YOVGetThruInterface(finder, 0, &out), 0);

  // An adapter that has gone keeps its old address; the other fields are left alone.
  a.hardware[5] = 9;
  std::memset(&out, 'x', sizeof out);
  ASSERT_EQ(YOVGetThruInterface(finder, 0, &out), 0);
  EXPECT_STREQ(out.IpAddress, "10.0.0.1");
  EXPECT_EQ(out.SubnetMask[0], 'x');
  EXPECT_EQ(YOVGetThruInterface(finder, 0, nullptr), -3);
  EXPECT_EQ(YOVGetThruInterface(finder, 3, &out), -1);
}

class PollTest : public CameraFixture {};

TEST_F(PollTest, NetworkStatusFillsTheRecord) {
  camera = [](const Sent& r, const LandapHeader& h) -> Datagrams {
    if (h.command != CmdNetworkStatus) return {};
    std::vector<uint8_t> p(20, 0);
    Put(p, 0, {7, 0, 0, 0, 192, 168, 1, 20, 3, 0, 0, 0, 10, 1, 2, 3, 2, 0, 0, 0});
    return Reply(r, p);
  };
  _YOVCamNetworkStatus s{};
  ASSERT_EQ(YOVQueryNetworkStatus(finder, 0, &s), 0);
  EXPECT_EQ(s.StatusValue, 7u);
  EXPECT_STREQ(s.StatusAddress1, "192.168.1.20");
  EXPECT_EQ(s.State, 3u);
  EXPECT_STREQ(s.StatusAddress2, "10.1.2.3");
  EXPECT_EQ(s.FailReason, 2u);
  EXPECT_EQ(SentOf(CmdNetworkStatus)[0].data.size(), kHeaderSize + 128);

  camera = [](const Sent& r, const LandapHeader&) { return Reply(r, std::vector<uint8_t>(20, 0), 1); };
  EXPECT_EQ(YOVQueryNetworkStatus(finder, 0, &s), -1);
  EXPECT_EQ(YOVQueryNetworkStatus(finder, 0, nullptr), -3);
}

TEST_F(PollTest, PppoeAsksAgainWhileNotReady) {
  int not_ready = 2;
  camera = [&](const Sent& r, const LandapHeader&) {
    std::vector<uint8_t> p(16, 0);
    p[0] = 1;
    return Reply(r, p, not_ready-- > 0 ? kStatusNotReady : 0);
  };
  int out = -1;
  ASSERT_EQ(YOVQueryPPPoEDone(finder, 0, &out), 0);
  EXPECT_EQ(out, 1);
  auto sent = SentOf(CmdPppoeDone);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].port, kRemoteAccessPort);
  EXPECT_EQ(sent[0].data.size(), kHeaderSize + 128);
  EXPECT_EQ(sent[1].at - sent[0].at, 100u);
  EXPECT_EQ(env.caller_sleeps, (std::vector<uint32_t>{100, 100}));
}

TEST_F(PollTest, PppoeGivesUpAfterSixtySeconds) {
  struct Case {
    const char* name;
    bool answer;
  };
  for (Case c : {Case{"status 257", true}, Case{"silence", false}}) {
    camera = [&](const Sent& r, const LandapHeader&) -> Datagrams {
      if (!c.answer) return {};
      return Reply(r, std::vector<uint8_t>(16, 0), kStatusNotReady);
    };
    int out = 5;
    uint32_t start = env.now;
    EXPECT_EQ(YOVQueryPPPoEAvailable(finder, 0, &out), -7) << c.name;
    EXPECT_GT(env.now - start, 60000u) << c.name;
    EXPECT_LT(env.now - start, 60000u + 20000u) << c.name;  // one exchange with retries
    EXPECT_EQ(out, 5) << c.name;
  }
}

TEST_F(PollTest, PppoeOtherRepliesFail) {
  struct Case {
    const char* name;
    uint16_t status;
    size_t payload;
  };
  for (Case c : {Case{"refused", 5, 16}, Case{"short payload", 0, 4}}) {
    camera = [&](const Sent& r, const LandapHeader&) {
      return Reply(r, std::vector<uint8_t>(c.payload, 1), c.status);
    };
    int out = 5;
    EXPECT_EQ(YOVQueryPPPoEAvailable(finder, 0, &out), -1) << c.name;
    EXPECT_EQ(out, 5);
  }
  EXPECT_EQ(YOVQueryPPPoEAvailable(finder, 0, nullptr), -3);
  int out = 0;
  EXPECT_EQ(YOVQueryPPPoEDone(finder, 2, &out), -1);
}

}  // namespace
}  // namespace yov::test
