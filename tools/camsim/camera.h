// The state of one simulated camera and its JSON form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "landap/byte_codec.h"
#include "landap/landap_header.h"

namespace camsim {

// Identity and settings that the search and refresh replies carry, plus what other command
// families need. Keys of the camera's JSON that no field below takes (for example "wireless" or
// "datetime" of a later command family) are kept in `extra` as given, so a handler family can
// keep its own state there without changing this struct.
struct Camera {
  yov::Mac mac{};
  std::string brand, model, name;
  std::string info_text1, info_text2;
  uint16_t info_value1 = 0, info_value3 = 0;
  uint8_t info_value4 = 0;
  uint32_t capabilities = 0;
  yov::Ipv4 ip = 0, mask = 0, gateway = 0, dns1 = 0, dns2 = 0;
  uint8_t dhcp = 0;
  uint16_t http_port = 80;
  uint8_t flags = 0, net_option = 0;
  // Remote-access search reply fields.
  std::string remote_text1, remote_text2;
  uint16_t remote_value = 0;
  // The camera clock: host time plus an offset, or a fixed "yyyyMMddhhmmss" text when set.
  int64_t clock_offset_s = 0;
  std::string fixed_time;
  std::string user = "admin", password;
  // Interface names the camera answers on; empty: every interface of the simulator.
  std::vector<std::string> interfaces;
  nlohmann::json behaviour = nlohmann::json::object();
  nlohmann::json extra = nlohmann::json::object();
};

// Builds a camera from its JSON description; "mac" is required, everything else has a default.
// Throws std::invalid_argument naming the faulty key.
Camera CameraFromJson(const nlohmann::json& j);
// The full JSON form (every field, `extra` merged back in); CameraFromJson reads it back.
nlohmann::json CameraToJson(const Camera& camera);
// Applies an RFC 7386 merge patch to the camera's JSON form; the MAC may not change.
// Throws std::invalid_argument and leaves the camera unchanged when the result is not valid.
void PatchCamera(Camera& camera, const nlohmann::json& patch);

// Whether the camera answers on the interface named `iface`.
bool ListensOn(const Camera& camera, const std::string& iface);

// The camera's clock now, as the 14 digits of the information payload.
std::string CameraTimeDigits(const Camera& camera);

}  // namespace camsim
