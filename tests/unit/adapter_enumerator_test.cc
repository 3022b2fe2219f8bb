// The adapter snapshot: lookups by position, address and hardware address.
#include <gtest/gtest.h>

#include "fake_env.h"
#include "landap/adapter_enumerator.h"
#include "landap/linux_adapters.h"

namespace yov::test {
namespace {

TEST(AdapterEnumerator, ValuesByPositionAndAddress) {
  FakeEnv env;
  env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1), MakeAdapter("lan1", "10.0.1.1", 2)};
  env.adapters[1].dns1 = 0xFFFFFFFFu;
  env.adapters[1].dhcp = true;
  CAdapterEnumerator adapters(env);
  adapters.Refresh();
  EXPECT_EQ(adapters.Count(), 2);
  EXPECT_EQ(adapters.snapshot_tick(), env.now);
  EXPECT_EQ(adapters.Address(1), Ip("10.0.1.1"));
  EXPECT_EQ(adapters.Mask(1), Ip("255.255.255.0"));
  EXPECT_EQ(adapters.Dns1(1), 0u);  // the all-ones address reads as 0
  EXPECT_TRUE(adapters.DhcpEnabled(1));
  EXPECT_EQ(adapters.Address(2), 0u);  // beyond the snapshot
  EXPECT_FALSE(adapters.HardwareAddress(2));
  EXPECT_EQ(adapters.FindByAddress(Ip("10.0.1.1")), 1);
  EXPECT_EQ(adapters.FindByAddress(Ip("10.0.9.1")), -1);
}

TEST(AdapterEnumerator, ReResolveFollowsTheHardwareAddress) {
  FakeEnv env;
  env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1), MakeAdapter("lan1", "10.0.1.1", 2)};
  CAdapterEnumerator adapters(env);
  adapters.Refresh();
  // lan1 got a new lease and is listed first now.
  env.adapters = {MakeAdapter("lan1", "10.0.7.7", 2), MakeAdapter("lan0", "10.0.0.1", 1)};
  EXPECT_EQ(adapters.ReResolve(1), Ip("10.0.7.7"));
  env.adapters = {MakeAdapter("lan0", "10.0.0.1", 1)};  // unplugged
  EXPECT_EQ(adapters.ReResolve(0), 0u);
}

TEST(FilterAdapters, KeepsTheNamedInterfaces) {
  std::vector<Adapter> all = {MakeAdapter("eth0", "10.0.0.1", 1), MakeAdapter("lan0", "10.0.1.1", 2),
                              MakeAdapter("lan1", "10.0.2.1", 3)};
  struct Case {
    const char* names;
    std::vector<std::string> kept;
  };
  const Case cases[] = {
      {"", {"eth0", "lan0", "lan1"}},
      {"lan1,lan0", {"lan0", "lan1"}},  // the system's order stays
      {"lan0,,", {"lan0"}},
      {"nothing", {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> kept;
    for (const auto& a : FilterAdapters(all, c.names)) kept.push_back(a.name);
    EXPECT_EQ(kept, c.kept) << c.names;
  }
}

}  // namespace
}  // namespace yov::test
