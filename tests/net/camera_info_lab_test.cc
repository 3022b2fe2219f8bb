// YOVGetCameraInfo in the lab: refresh rounds, a camera that moved, one that went silent.
#include <gtest/gtest.h>

#include "api/frame.h"
#include "lab.h"
#include "lab_finder.h"

namespace {

using nlohmann::json;
using namespace labtest;

const char* kMac = "02:1A:2B:00:00:09";
const uint8_t kMacBytes[6] = {0x02, 0x1A, 0x2B, 0x00, 0x00, 0x09};

json Camera(const char* ip, json behaviour = json::object()) {
  return {{"mac", kMac}, {"model", "YC-100"}, {"name", "Porch"}, {"ip", ip},
          {"brand", "Yovision"}, {"behaviour", behaviour}};
}

int ReadInfo(YOVFinderHandle h, _YOVCamSettings* record, unsigned long& size) {
  return YOVGetCameraInfo(h, YOVFindCameraIdxByMAC(h, kMacBytes), record, &size);
}

TEST_F(LabTest, RefreshesACameraThatAnswersOnlyTheUnmarkedRound) {
  lab().AddLink("lan0", "10.70.0.1/24", "seg0", "10.70.0.2/24");
  netlab::Camsim& sim = lab().StartCamsim("seg0", {{"cameras", {Camera("10.70.0.9", {{"only_marker0", true}})}}});
  Finder finder;
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);  // searches carry marker 0 anyway
  sim.Set(kMac, {{"name", "Porch light"}});
  sim.Clear();

  _YOVCamSettings record{};
  unsigned long size = sizeof record;
  ASSERT_EQ(ReadInfo(finder.h, &record, size), 0);
  EXPECT_STREQ(record.CameraName, "Porch light");
  std::vector<int> markers;
  for (const json& r : sim.Received(161)) markers.push_back(r["marker"]);
  EXPECT_EQ(markers, (std::vector<int>{0x7777, 0x7777, 0x7777, 0x7777, 0}));
}

TEST_F(LabTest, FindsACameraThatMovedToAnotherAdaptersNetwork) {
  lab().AddLink("lan0", "10.71.0.1/24", "seg0", "10.71.0.2/24");
  lab().AddLink("lan1", "10.72.0.1/24", "seg1", "10.72.0.2/24");
  netlab::Camsim& old_home = lab().StartCamsim("seg0", {{"cameras", {Camera("10.71.0.9")}}});
  netlab::Camsim& new_home = lab().StartCamsim("seg1", {{"cameras", {Camera("10.72.0.9", {{"silent", true}})}}});
  Finder finder;
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  ASSERT_EQ(YOVGetCameraNum(finder.h), 1);

  // Unplugged from segment 0 and plugged into segment 1 with a new address.
  old_home.Set(kMac, {{"behaviour", {{"silent", true}}}});
  new_home.Set(kMac, {{"behaviour", {{"silent", false}}}});
  _YOVCamSettings record{};
  unsigned long size = sizeof record;
  ASSERT_EQ(ReadInfo(finder.h, &record, size), 0);
  EXPECT_STREQ(record.IpAddress, "10.72.0.9");
  // The interface through which it was found stays the same.
  EXPECT_EQ(yov::FinderOf(finder.h)->manager().Camera(0)->interface_address(),
            yov::ParseAddress("10.71.0.1"));
  _YOVCamNetwork network{};
  ASSERT_EQ(YOVGetCameraNetwork(finder.h, 0, &network), 0);
  EXPECT_STREQ(network.IpAddress, "10.72.0.9");
}

TEST_F(LabTest, CameraInfoSizeRulesAndASilentCamera) {
  lab().AddLink("lan0", "10.73.0.1/24", "seg0", "10.73.0.2/24");
  netlab::Camsim& sim = lab().StartCamsim("seg0", {{"cameras", {Camera("10.73.0.9")}}});
  Finder finder;
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);

  unsigned long size = sizeof(_YOVCamSettings);
  EXPECT_EQ(ReadInfo(finder.h, nullptr, size), -4);
  EXPECT_EQ(size, 488u);
  _YOVCamSettings record;
  std::memset(&record, 0x5A, sizeof record);
  size = 487;
  EXPECT_EQ(ReadInfo(finder.h, &record, size), -4);
  EXPECT_EQ(size, 488u);
  EXPECT_EQ(record.Version, 0x5A5A5A5Au);  // nothing written
  EXPECT_EQ(YOVGetCameraInfo(finder.h, 0, &record, nullptr), -3);
  EXPECT_EQ(YOVGetCameraInfo(nullptr, 0, &record, &size), -1);
  EXPECT_EQ(YOVGetCameraInfo(finder.h, 7, &record, &size), -1);

  sim.Set(kMac, {{"behaviour", {{"silent", true}}}});
  size = sizeof record;
  EXPECT_EQ(ReadInfo(finder.h, &record, size), -1);
}

}  // namespace
