// Fixture of the per-camera operation lab tests: one link, one simulated camera, a finder that
// has found it and holds its credentials.
#pragma once

#include <chrono>
#include <string>

#include "lab.h"
#include "lab_finder.h"

namespace opslab {

using nlohmann::json;

constexpr const char* kMac = "02:1A:2B:00:0A:01";

// A camera with the credentials admin / admin; `extra` is merged into its JSON.
inline json CameraJson(const json& extra = json::object()) {
  json camera = {{"mac", kMac},         {"brand", "Yovision"},     {"model", "YC-200W"},
                 {"name", "Hall"},      {"ip", "10.60.0.10"},      {"mask", "255.255.255.0"},
                 {"gateway", "10.60.0.254"}, {"http_port", 80},   {"user", "admin"},
                 {"password", "admin"}};
  camera.merge_patch(extra);
  return camera;
}

class OpsLabTest : public LabTest {
 protected:
  // Starts the camera described by `extra` and finds it; the finder then uses admin / admin.
  void StartCamera(const json& extra = json::object()) {
    lab().AddLink("lan0", "10.60.0.1/24", "cam", "10.60.0.2/24");
    sim = &lab().StartCamsim("cam", {{"cameras", {CameraJson(extra)}}});
    ASSERT_EQ(YOVFinderSearch(finder.h, 0), 0);
    ASSERT_EQ(YOVGetCameraNum(finder.h), 1);
    ASSERT_EQ(YOVSetFinderCamAuth(finder.h, 0, "admin", "admin"), 0);
    sim->Clear();
  }
  json State() { return sim->State(kMac); }
  // Options of one command, as the camera's behaviour holds them.
  void SetCommandOptions(int command, const json& options) {
    sim->Set(kMac, {{"behaviour", {{"commands", {{std::to_string(command), options}}}}}});
  }
  // The fields of the last request of `command` the camera received (after the credentials).
  std::vector<uint8_t> LastFields(int command) {
    json received = sim->Received(command);
    if (received.empty()) return {};
    auto payload = labtest::Hex(received.back()["payload"]);
    return {payload.begin() + 128, payload.end()};
  }

  labtest::Finder finder;
  netlab::Camsim* sim = nullptr;
};

inline int64_t MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start)
      .count();
}

}  // namespace opslab
