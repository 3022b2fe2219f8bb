// Smoke test of the lab: the finder finds two simulated cameras and refreshes one of them.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lab.h"
#include "yovfinder.h"

namespace {

using nlohmann::json;

const json kCameras = {
    {"defaults", {{"brand", "Yovision"}, {"mask", "255.255.255.0"}, {"http_port", 8080}}},
    {"cameras",
     {{{"mac", "02:1A:2B:00:00:01"}, {"model", "YC-100"}, {"name", "Hall"}, {"ip", "192.168.50.10"}},
      {{"mac", "02:1A:2B:00:00:02"},
       {"model", "YC-200W"},
       {"name", "Yard"},
       {"ip", "192.168.50.11"},
       {"time", "20240229235958"}}}}};

std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    out.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return out;
}

std::string Field(const std::vector<uint8_t>& p, size_t at, size_t n) {
  std::string s(reinterpret_cast<const char*>(p.data() + at), n);
  return s.substr(0, s.find('\0'));
}

struct Finder {
  YOVFinderHandle h = YOVCreateFinder(0);
  ~Finder() { YOVDestroyFinder(h); }
};

TEST_F(LabTest, SearchListsBothCamerasAndRefreshReturnsWhatTheCameraSent) {
  lab().AddLink("lan0", "192.168.50.1/24", "cam1", "192.168.50.2/24");
  netlab::Camsim& sim = lab().StartCamsim("cam1", kCameras, "lan0");
  Finder finder;

  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  ASSERT_EQ(YOVGetCameraNum(finder.h), 2);
  const uint8_t yard[6] = {0x02, 0x1A, 0x2B, 0x00, 0x00, 0x02};
  int index = YOVFindCameraIdxByMAC(finder.h, yard);
  ASSERT_GE(index, 0);
  json search = sim.Received(161);
  ASSERT_EQ(search.size(), 1u);
  EXPECT_EQ(search[0]["target_mac"], "FF:FF:FF:FF:FF:FF");
  EXPECT_EQ(search[0]["iface"], "lan0");

  sim.Clear();
  _YOVCamSettings record;
  std::memset(&record, 0xCC, sizeof record);
  unsigned long size = sizeof record;
  ASSERT_EQ(YOVGetCameraInfo(finder.h, index, &record, &size), 0);

  // The refresh is one request to the camera's MAC, marked 0x7777, answered at once.
  json received = sim.Received(161);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0]["target_mac"], "02:1A:2B:00:00:02");
  EXPECT_EQ(received[0]["marker"], 0x7777);
  json sent = sim.Sent(161);
  ASSERT_EQ(sent.size(), 1u);
  std::vector<uint8_t> p = Hex(sent[0]["payload"]);
  ASSERT_EQ(p.size(), 312u);

  // Fields of the record against the bytes the camera sent (offsets of the 312-byte layout).
  EXPECT_EQ(record.Version, 1u);
  EXPECT_EQ(std::string(record.Brand), Field(p, 0, 64));
  EXPECT_EQ(std::string(record.Model), Field(p, 128, 32));
  EXPECT_EQ(std::string(record.Model), "YC-200W");
  EXPECT_EQ(0, std::memcmp(record.MacAddress, p.data() + 198, 6));
  EXPECT_EQ(std::string(record.CameraName), Field(p, 204, 64));
  EXPECT_EQ(std::string(record.IpAddress), "192.168.50.11");
  EXPECT_EQ(0, std::memcmp(p.data() + 268, "\xC0\xA8\x32\x0B", 4));
  EXPECT_EQ(record.HttpPort, p[272] | (p[273] << 8));
  EXPECT_EQ(record.HttpPort, 8080);
  EXPECT_EQ(Field(p, 293, 14), "20240229235958");
  EXPECT_EQ(record.CameraTime.Year, 2024);
  EXPECT_EQ(record.CameraTime.Day, 29);
  EXPECT_EQ(record.CameraTime.Second, 58);
}

}  // namespace
