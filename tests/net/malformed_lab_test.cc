// Replies that break the rules of a search reply add no camera; a 312-byte one does.
#include <gtest/gtest.h>

#include <set>

#include "lab.h"
#include "lab_finder.h"

namespace {

using nlohmann::json;
using namespace labtest;

TEST_F(LabTest, MalformedSearchRepliesAddNothing) {
  struct Case {
    const char* mac;
    json behaviour;
  };
  const Case spoiled[] = {
      {"02:00:00:00:01:01", {{"wrong_magic", true}}},
      {"02:00:00:00:01:02", {{"wrong_sequence", true}}},
      {"02:00:00:00:01:03", {{"wrong_command", true}}},
      {"02:00:00:00:01:04", {{"status", 1}}},
      {"02:00:00:00:01:05", {{"payload_length_delta", 1}}},  // field 313, datagram 334
      {"02:00:00:00:01:06", {{"datagram_extra", 21}}},       // field 312, datagram 355
      {"02:00:00:00:01:07", {{"payload_size", 311}}},
      {"02:00:00:00:01:08", {{"header_version", 2}}},
  };
  json cameras = json::array();
  for (const auto& c : spoiled) cameras.push_back({{"mac", c.mac}, {"behaviour", c.behaviour}});
  cameras.push_back({{"mac", "02:00:00:00:02:01"}, {"behaviour", {{"duplicates", 2}}}});
  cameras.push_back({{"mac", "02:00:00:00:02:02"}, {"behaviour", {{"payload_size", 312}}}});
  lab().AddLink("lan0", "10.60.0.1/24", "seg0", "10.60.0.2/24");
  netlab::Camsim& sim = lab().StartCamsim("seg0", {{"cameras", cameras}});

  Finder finder;
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  std::set<std::string> found;
  for (int i = 0; i < YOVGetCameraNum(finder.h); ++i) {
    uint8_t mac[6];
    ASSERT_EQ(YOVGetCameraMAC(finder.h, i, mac), 0);
    found.insert(MacText(mac));
  }
  EXPECT_EQ(found, (std::set<std::string>{"02:00:00:00:02:01", "02:00:00:00:02:02"}));
  // The spoiled replies did go out: they were refused, not lost.
  EXPECT_GE(sim.Sent(-1).size(), std::size(spoiled) + 3);
}

}  // namespace
