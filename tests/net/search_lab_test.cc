// The camera search in the lab: several adapters, a camera heard twice, one outside the PC's
// subnet answering by broadcast, background searches and their notifications.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "api/frame.h"
#include "lab.h"
#include "lab_finder.h"

namespace {

using nlohmann::json;
using namespace labtest;

const char* kHall = "02:1A:2B:00:00:01";
const char* kBoth = "02:1A:2B:00:00:02";
const char* kAway = "02:1A:2B:00:00:03";

json Camera(const char* mac, const char* model, const char* name, const char* ip) {
  return {{"mac", mac}, {"model", model}, {"name", name}, {"ip", ip}, {"brand", "Yovision"},
          {"mask", "255.255.255.0"}, {"gateway", "10.50.0.254"}, {"dns1", "10.50.0.254"},
          {"http_port", 80}, {"flags", 3}, {"capabilities", 1}, {"info_text1", "serial 4711"}};
}

class SearchLabTest : public LabTest {
 protected:
  void SetUp() override {
    LabTest::SetUp();
    if (IsSkipped()) return;
    // lan0 and lan1 each reach a segment; the camera "both" sits on both segments. The third
    // segment's camera has an address outside every PC subnet and can only answer by broadcast.
    lab().AddLink("lan0", "10.50.0.1/24", "seg0", "10.50.0.2/24");
    lab().AddLink("lan1", "10.51.0.1/24", "seg1", "10.51.0.2/24");
    lab().AddLink("lan2", "10.52.0.1/24", "seg2", "192.168.77.2/24");
    seg0 = &lab().StartCamsim("seg0", {{"cameras", {Camera(kHall, "YC-100", "Hall", "10.50.0.10"),
                                                    Camera(kBoth, "YC-200W", "Yard", "10.50.0.11")}}});
    seg1 = &lab().StartCamsim("seg1", {{"cameras", {Camera(kBoth, "YC-200W", "Yard", "10.50.0.11")}}});
    json away = Camera(kAway, "YC-300W", "Garage", "192.168.77.7");
    away["behaviour"] = {{"reply_broadcast", true}};
    seg2 = &lab().StartCamsim("seg2", {{"cameras", {away}}});
  }

  // Every 312-byte payload the simulators sent, by camera MAC.
  std::map<std::string, std::vector<uint8_t>> SentPayloads() {
    std::map<std::string, std::vector<uint8_t>> out;
    for (netlab::Camsim* sim : {seg0, seg1, seg2})
      for (const json& s : sim->Sent(161)) out[s["mac"]] = Hex(s["payload"]);
    return out;
  }

  uint32_t InterfaceOf(YOVFinderHandle h, const char* mac) {
    for (int i = 0; i < YOVGetCameraNum(h); ++i) {
      auto* camera = yov::FinderOf(h)->manager().Camera(i);
      if (MacText(camera->mac().data()) == mac) return camera->interface_address();
    }
    return 0;
  }
  netlab::Camsim *seg0 = nullptr, *seg1 = nullptr, *seg2 = nullptr;
};

TEST_F(SearchLabTest, ForegroundSearchListsEachCameraOnceWithTheRecordsTheCamerasSent) {
  Finder finder;
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  ASSERT_EQ(YOVGetCameraNum(finder.h), 3);

  std::set<std::string> macs;
  auto sent = SentPayloads();
  for (int i = 0; i < 3; ++i) {
    _YOVCamSettings record;
    std::memset(&record, 0, sizeof record);
    unsigned long size = sizeof record;
    ASSERT_EQ(YOVGetCameraInfoL(finder.h, i, &record, &size), 0);
    std::string mac = MacText(record.MacAddress);
    macs.insert(mac);
    ASSERT_TRUE(sent.count(mac)) << mac;
    _YOVCamSettings expected = ExpectedRecordV1(sent[mac]);
    EXPECT_EQ(0, std::memcmp(&record, &expected, sizeof record)) << mac;
  }
  EXPECT_EQ(macs, (std::set<std::string>{kHall, kBoth, kAway}));
  // Adapters are searched from the last to the first, so "both" keeps lan1's interface.
  EXPECT_EQ(InterfaceOf(finder.h, kBoth), yov::ParseAddress("10.51.0.1"));
  EXPECT_EQ(InterfaceOf(finder.h, kAway), yov::ParseAddress("10.52.0.1"));
  // Each simulator heard exactly one search, each with its own sequence number.
  std::set<int> sequences;
  for (netlab::Camsim* sim : {seg0, seg1, seg2}) {
    json received = sim->Received(161);
    ASSERT_EQ(received.size(), 1u);
    sequences.insert(received[0]["sequence"].get<int>());
  }
  EXPECT_EQ(sequences.size(), 3u);
}

TEST_F(SearchLabTest, BackgroundSearchNotifiesEachCameraThenDone) {
  Finder finder;
  RecordingSink sink;
  ASSERT_EQ(YOVFinderSetOverlapNotify(finder.h, &sink, 1025), 1);
  ASSERT_EQ(YOVFinderSearch(finder.h, 1), 0);
  EXPECT_EQ(YOVFinderSearch(finder.h, 1), -5);  // the first still listens
  EXPECT_EQ(YOVFinderSearch(finder.h, 0), -1);
  ASSERT_TRUE(sink.WaitFor(YOV_NOTIFY_SEARCH_DONE, 30000));

  auto messages = sink.messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages.back().what, static_cast<uintptr_t>(YOV_NOTIFY_SEARCH_DONE));
  EXPECT_EQ(messages.back().param, 0);
  auto sent = SentPayloads();
  std::set<std::string> macs;
  for (size_t i = 0; i < 3; ++i) {
    const auto& m = messages[i];
    EXPECT_EQ(m.msg, 1025u);
    EXPECT_TRUE(m.sent);
    ASSERT_EQ(m.what, static_cast<uintptr_t>(YOV_NOTIFY_CAMERA_FOUND));
    _YOVCamSettings record;
    std::memcpy(&record, m.record.data(), sizeof record);
    std::string mac = MacText(record.MacAddress);
    macs.insert(mac);
    _YOVCamSettings expected = ExpectedRecordV1(sent[mac]);
    EXPECT_EQ(0, std::memcmp(&record, &expected, sizeof record)) << mac;
  }
  EXPECT_EQ(macs.size(), 3u);
  EXPECT_EQ(YOVGetCameraNum(finder.h), 3);
}

TEST_F(SearchLabTest, BackgroundSearchNeedsALiveSink) {
  Finder finder;
  EXPECT_EQ(YOVFinderSearch(finder.h, 1), -3);  // no sink at all
  RecordingSink closed(false);
  YOVFinderSetOverlapNotify(finder.h, &closed, 1025);
  EXPECT_EQ(YOVFinderSearch(finder.h, 1), -3);
  EXPECT_TRUE(closed.messages().empty());
  for (netlab::Camsim* sim : {seg0, seg1, seg2}) EXPECT_TRUE(sim->Received().empty());
}

TEST_F(SearchLabTest, RefindByMacAfterASecondSearch) {
  Finder finder;
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  uint8_t mac[6];
  ASSERT_EQ(YOVGetCameraMAC(finder.h, 2, mac), 0);
  EXPECT_EQ(YOVGetCameraMAC(finder.h, -1, mac), -1);
  EXPECT_EQ(YOVGetCameraMAC(finder.h, 0, nullptr), -3);
  seg0->Remove(kHall);
  ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
  EXPECT_EQ(YOVGetCameraNum(finder.h), 2);
  int index = YOVFindCameraIdxByMAC(finder.h, mac);
  if (MacText(mac) == kHall) {
    EXPECT_EQ(index, -1);
  } else {
    ASSERT_GE(index, 0);
    uint8_t again[6];
    ASSERT_EQ(YOVGetCameraMAC(finder.h, index, again), 0);
    EXPECT_EQ(0, std::memcmp(mac, again, 6));
  }
}

}  // namespace
