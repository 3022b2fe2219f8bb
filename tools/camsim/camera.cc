// JSON form of a simulated camera.
#include "camera.h"

#include <algorithm>
#include <ctime>
#include <set>
#include <stdexcept>

#include "behaviour.h"
#include "landap/calendar_text.h"
#include "wire_text.h"

namespace camsim {
namespace {

using nlohmann::json;

const std::set<std::string>& TypedKeys() {
  static const std::set<std::string> keys = {
      "mac",        "brand",        "model",         "name",         "info_text1",
      "info_text2", "info_value1",  "info_value3",   "info_value4",  "capabilities",
      "ip",         "mask",         "gateway",       "dns1",         "dns2",
      "dhcp",       "http_port",    "flags",         "net_option",   "remote_text1",
      "remote_text2", "remote_value", "clock_offset_s", "time",      "user",
      "password",   "interfaces",   "behaviour"};
  return keys;
}

void Fail(const std::string& key, const std::string& what) {
  throw std::invalid_argument(key + ": " + what);
}

void ReadText(const json& j, const char* key, std::string& out) {
  if (!j.contains(key)) return;
  if (!j[key].is_string()) Fail(key, "must be a string");
  out = j[key].get<std::string>();
}

template <typename T>
void ReadNumber(const json& j, const char* key, T& out, long long lo, long long hi) {
  if (!j.contains(key)) return;
  if (!j[key].is_number_integer()) Fail(key, "must be an integer");
  long long v = j[key].get<long long>();
  if (v < lo || v > hi) Fail(key, "out of range");
  out = static_cast<T>(v);
}

void ReadAddress(const json& j, const char* key, yov::Ipv4& out) {
  if (!j.contains(key)) return;
  auto a = j[key].is_string() ? ParseIpv4(j[key].get<std::string>()) : std::nullopt;
  if (!a) Fail(key, "must be a dotted IPv4 address");
  out = *a;
}

void ReadFlag(const json& j, const char* key, uint8_t& out) {
  if (j.contains(key) && j[key].is_boolean()) {
    out = j[key].get<bool>() ? 1 : 0;
    return;
  }
  ReadNumber(j, key, out, 0, 255);
}

}  // namespace

Camera CameraFromJson(const json& j) {
  if (!j.is_object()) throw std::invalid_argument("a camera must be a JSON object");
  Camera c;
  auto mac = j.contains("mac") && j["mac"].is_string() ? ParseMac(j["mac"].get<std::string>())
                                                       : std::nullopt;
  if (!mac) Fail("mac", "required, as \"00:11:22:33:44:55\"");
  c.mac = *mac;
  ReadText(j, "brand", c.brand);
  ReadText(j, "model", c.model);
  ReadText(j, "name", c.name);
  ReadText(j, "info_text1", c.info_text1);
  ReadText(j, "info_text2", c.info_text2);
  ReadNumber(j, "info_value1", c.info_value1, 0, 0xFFFF);
  ReadNumber(j, "info_value3", c.info_value3, 0, 0xFFFF);
  ReadNumber(j, "info_value4", c.info_value4, 0, 0xFF);
  ReadNumber(j, "capabilities", c.capabilities, 0, 0xFFFFFFFFLL);
  ReadAddress(j, "ip", c.ip);
  ReadAddress(j, "mask", c.mask);
  ReadAddress(j, "gateway", c.gateway);
  ReadAddress(j, "dns1", c.dns1);
  ReadAddress(j, "dns2", c.dns2);
  ReadFlag(j, "dhcp", c.dhcp);
  ReadNumber(j, "http_port", c.http_port, 0, 0xFFFF);
  ReadNumber(j, "flags", c.flags, 0, 0xFF);
  ReadNumber(j, "net_option", c.net_option, 0, 0xFF);
  ReadText(j, "remote_text1", c.remote_text1);
  ReadText(j, "remote_text2", c.remote_text2);
  ReadNumber(j, "remote_value", c.remote_value, 0, 0xFFFF);
  ReadNumber(j, "clock_offset_s", c.clock_offset_s, -(1LL << 40), 1LL << 40);
  ReadText(j, "time", c.fixed_time);
  if (!c.fixed_time.empty() && c.fixed_time.size() != 14) Fail("time", "must be 14 digits");
  ReadText(j, "user", c.user);
  ReadText(j, "password", c.password);
  if (j.contains("interfaces")) {
    if (!j["interfaces"].is_array()) Fail("interfaces", "must be an array of names");
    for (const json& name : j["interfaces"]) {
      if (!name.is_string()) Fail("interfaces", "must be an array of names");
      c.interfaces.push_back(name.get<std::string>());
    }
  }
  if (j.contains("behaviour")) {
    ValidateBehaviour(j["behaviour"]);
    c.behaviour = j["behaviour"].is_null() ? json::object() : j["behaviour"];
  }
  for (auto it = j.begin(); it != j.end(); ++it)
    if (!TypedKeys().count(it.key())) c.extra[it.key()] = it.value();
  return c;
}

json CameraToJson(const Camera& c) {
  json j = c.extra;
  j["mac"] = MacText(c.mac);
  j["brand"] = c.brand;
  j["model"] = c.model;
  j["name"] = c.name;
  j["info_text1"] = c.info_text1;
  j["info_text2"] = c.info_text2;
  j["info_value1"] = c.info_value1;
  j["info_value3"] = c.info_value3;
  j["info_value4"] = c.info_value4;
  j["capabilities"] = c.capabilities;
  j["ip"] = Ipv4Text(c.ip);
  j["mask"] = Ipv4Text(c.mask);
  j["gateway"] = Ipv4Text(c.gateway);
  j["dns1"] = Ipv4Text(c.dns1);
  j["dns2"] = Ipv4Text(c.dns2);
  j["dhcp"] = c.dhcp;
  j["http_port"] = c.http_port;
  j["flags"] = c.flags;
  j["net_option"] = c.net_option;
  j["remote_text1"] = c.remote_text1;
  j["remote_text2"] = c.remote_text2;
  j["remote_value"] = c.remote_value;
  j["clock_offset_s"] = c.clock_offset_s;
  j["time"] = c.fixed_time;
  j["user"] = c.user;
  j["password"] = c.password;
  j["interfaces"] = c.interfaces;
  j["behaviour"] = c.behaviour;
  return j;
}

void PatchCamera(Camera& camera, const json& patch) {
  if (!patch.is_object()) throw std::invalid_argument("patch must be a JSON object");
  json j = CameraToJson(camera);
  j.merge_patch(patch);
  Camera changed = CameraFromJson(j);
  if (changed.mac != camera.mac) Fail("mac", "cannot be changed by a patch");
  camera = std::move(changed);
}

bool ListensOn(const Camera& camera, const std::string& iface) {
  return camera.interfaces.empty() ||
         std::find(camera.interfaces.begin(), camera.interfaces.end(), iface) !=
             camera.interfaces.end();
}

std::string CameraTimeDigits(const Camera& camera) {
  if (!camera.fixed_time.empty()) return camera.fixed_time;
  time_t now = time(nullptr) + static_cast<time_t>(camera.clock_offset_s);
  tm local{};
  localtime_r(&now, &local);
  _YOVCalendarTime t{};
  t.Year = static_cast<uint16_t>(local.tm_year + 1900);
  t.Month = static_cast<uint16_t>(local.tm_mon + 1);
  t.Day = static_cast<uint16_t>(local.tm_mday);
  t.Hour = static_cast<uint16_t>(local.tm_hour);
  t.Minute = static_cast<uint16_t>(local.tm_min);
  t.Second = static_cast<uint16_t>(local.tm_sec);
  return yov::FormatDigitTime(t);
}

}  // namespace camsim
