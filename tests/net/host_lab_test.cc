// Host-side helpers in the lab: the DHCP probe against a real dnsmasq, the free address by ARP
// among answering hosts, the interface that reaches the camera, and the camera's polls.
#include <gtest/gtest.h>

#include "ops_lab.h"

namespace {

using opslab::json;

using TextExport = int (*)(YOVFinderHandle, int, char*, short*);

class HostLabTest : public opslab::OpsLabTest {
 protected:
  std::string Text(TextExport op, short capacity, int& rc, short& size) {
    char buffer[64] = {};
    size = capacity;
    rc = op(finder.h, 0, buffer, &size);
    return buffer;
  }
  // The export answers `expected`, and a buffer of 5 bytes gets -4 with the needed size.
  void ExpectText(TextExport op, const std::string& expected) {
    int rc;
    short size;
    EXPECT_EQ(Text(op, 20, rc, size), expected);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(size, static_cast<short>(expected.size() + 1));
    Text(op, 5, rc, size);
    EXPECT_EQ(rc, -4);
    EXPECT_EQ(size, static_cast<short>(expected.size() + 1));
  }
};

TEST_F(HostLabTest, DhcpProbeFindsDnsmasqAndNothingWithoutIt) {
  StartCamera();  // PC 10.60.0.1, the camera's namespace 10.60.0.2
  int rc;
  short size;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Text(YOVDHCPDiscover, 20, rc, size), "");
  EXPECT_EQ(rc, -7);
  EXPECT_EQ(size, 0);
  int64_t quiet_ms = opslab::MsSince(start);
  EXPECT_GE(quiet_ms, 2000);
  EXPECT_LT(quiet_ms, 10000);  // only catches a hang; the listen window is 2 s of quiet

  std::string out;
  ASSERT_EQ(lab().Script("dhcp", {"cam", "lan0", "10.60.0.100", "10.60.0.150"}, &out), 0) << out;
  ExpectText(YOVDHCPDiscover, "10.60.0.2");
}

TEST_F(HostLabTest, FreeAddressSkipsTheHostsThatAnswer) {
  lab().AddLink("lan0", "10.61.0.100/24", "cam", "10.61.0.1/24");
  lab().AddAddress("cam", "lan0", "10.61.0.2/24");
  lab().AddAddress("cam", "lan0", "10.61.0.3/24");
  sim = &lab().StartCamsim("cam", {{"cameras", {opslab::CameraJson({{"ip", "10.61.0.1"}})}}});
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  ExpectText(YOVGetFreeIP, "10.61.0.4");
}

TEST_F(HostLabTest, FreeAddressOnASubnetWithoutHostBits) {
  lab().AddLink("lan0", "10.62.0.5/32", "cam", "10.62.0.6/32");
  sim = &lab().StartCamsim("cam", {{"cameras", {opslab::CameraJson(
                                      {{"ip", "10.62.0.6"}, {"behaviour", {{"reply_broadcast", true}}}})}}});
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  int rc;
  short size;
  Text(YOVGetFreeIP, 20, rc, size);
  EXPECT_EQ(rc, -7);
  EXPECT_EQ(size, 0);
}

// The hardware address of one of the PC's interfaces, as `ip` reports it.
std::string PcMac(netlab::Lab& lab, const std::string& iface) {
  std::string out;
  lab.Exec("pc", {"cat", "/sys/class/net/" + iface + "/address"}, &out);
  return out.substr(0, out.find('\n'));
}

TEST_F(HostLabTest, ThruInterfaceFollowsTheAdaptersNewAddress) {
  StartCamera();
  _YOVThruInterface out{};
  ASSERT_EQ(YOVGetThruInterface(finder.h, 0, &out), 0);
  EXPECT_STREQ(out.IpAddress, "10.60.0.1");
  EXPECT_STREQ(out.SubnetMask, "255.255.255.0");
  char mac[18];
  std::snprintf(mac, sizeof mac, "%02x:%02x:%02x:%02x:%02x:%02x", out.MacAddress[0],
                out.MacAddress[1], out.MacAddress[2], out.MacAddress[3], out.MacAddress[4],
                out.MacAddress[5]);
  EXPECT_EQ(mac, PcMac(lab(), "lan0"));

  // The PC's address changes after the search: the adapter is found again by its MAC.
  ASSERT_EQ(lab().Exec("pc", {"ip", "addr", "del", "10.60.0.1/24", "dev", "lan0"}), 0);
  ASSERT_EQ(lab().Exec("pc", {"ip", "addr", "add", "10.60.0.77/24", "dev", "lan0"}), 0);
  ASSERT_EQ(YOVGetThruInterface(finder.h, 0, &out), 0);
  EXPECT_STREQ(out.IpAddress, "10.60.0.77");
}

TEST_F(HostLabTest, NetworkStatusAndPppoePolls) {
  StartCamera({{"network_status",
                {{"value", 5}, {"address1", "10.60.0.10"}, {"state", 3},
                 {"address2", "100.64.1.2"}, {"fail_reason", 2}}},
               {"pppoe", {{"available", 1}, {"done", 0}}}});
  SetCommandOptions(201, {{"not_ready_polls", 1}});
  _YOVCamNetworkStatus s{};
  ASSERT_EQ(YOVQueryNetworkStatus(finder.h, 0, &s), 0);
  EXPECT_EQ(s.State, 1u);  // still in progress
  ASSERT_EQ(YOVQueryNetworkStatus(finder.h, 0, &s), 0);
  EXPECT_EQ(s.State, 3u);
  EXPECT_EQ(s.FailReason, 2u);
  EXPECT_EQ(s.StatusValue, 5u);
  EXPECT_STREQ(s.StatusAddress1, "10.60.0.10");
  EXPECT_STREQ(s.StatusAddress2, "100.64.1.2");

  SetCommandOptions(259, {{"not_ready_polls", 2}});
  int out = -1;
  ASSERT_EQ(YOVQueryPPPoEAvailable(finder.h, 0, &out), 0);
  EXPECT_EQ(out, 1);
  EXPECT_EQ(sim->Received(259).size(), 3u);
  ASSERT_EQ(YOVQueryPPPoEDone(finder.h, 0, &out), 0);
  EXPECT_EQ(out, 0);
  EXPECT_EQ(sim->Received(260)[0]["port"], 62977);
}

}  // namespace
