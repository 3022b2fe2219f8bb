// Five hundred cameras answering one search at once: none may be lost.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "lab.h"
#include "lab_finder.h"

namespace {

using nlohmann::json;
using namespace labtest;

TEST_F(LabTest, FiveHundredCamerasAnsweringAtOnceAreAllListed) {
  constexpr int kCameras = 500;
  json cameras = json::array();
  for (int i = 0; i < kCameras; ++i) {
    char mac[18], ip[16];
    std::snprintf(mac, sizeof mac, "02:5A:00:00:%02X:%02X", i >> 8, i & 0xFF);
    std::snprintf(ip, sizeof ip, "10.80.%d.%d", 1 + i / 250, 1 + i % 250);
    cameras.push_back({{"mac", mac}, {"ip", ip}, {"model", "YC-100"}, {"brand", "Yovision"}});
  }
  lab().AddLink("lan0", "10.80.0.1/16", "seg0", "10.80.0.2/16");
  netlab::Camsim& sim = lab().StartCamsim("seg0", {{"cameras", cameras}});

  Finder finder;
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_EQ(sim.Sent(161).size(), static_cast<size_t>(kCameras));
  EXPECT_EQ(YOVGetCameraNum(finder.h), kCameras);
  RecordProperty("search_ms", static_cast<int>(ms.count()));
  std::printf("500-camera search: %d cameras listed in %lld ms\n", YOVGetCameraNum(finder.h),
              static_cast<long long>(ms.count()));
}

}  // namespace
