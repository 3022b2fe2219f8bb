// yovctl helpers: option values, MAC text, adapter check, camera lookup, JSON output.
#include "cli.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <sstream>

namespace yovctl {

std::string Cli::Value(const std::string& name, const char* env, const std::string& fallback) const {
  if (auto it = options.find(name); it != options.end()) return it->second;
  if (env)
    if (const char* v = std::getenv(env)) return v;
  return fallback;
}

std::optional<std::array<uint8_t, 6>> ParseMac(const std::string& text) {
  std::array<uint8_t, 6> mac{};
  unsigned v[6];
  char tail;
  for (const char* fmt : {"%x:%x:%x:%x:%x:%x%c", "%x-%x-%x-%x-%x-%x%c"}) {
    if (std::sscanf(text.c_str(), fmt, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &tail) == 6) {
      for (int i = 0; i < 6; ++i) {
        if (v[i] > 255) return std::nullopt;
        mac[i] = static_cast<uint8_t>(v[i]);
      }
      return mac;
    }
  }
  return std::nullopt;
}

std::string MacText(const uint8_t* mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

int Fail(int code, const std::string& message) {
  std::cerr << "yovctl: " << message << "\n";
  return code;
}

bool CheckAdapters() {
  // Mirrors the finder's choice of adapters: up, broadcast, not loopback, with IPv4.
  std::set<std::string> wanted;
  if (const char* only = std::getenv("YOV_ADAPTERS")) {
    std::istringstream in(only);
    for (std::string item; std::getline(in, item, ',');)
      if (!item.empty()) wanted.insert(item);
  }
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool any = false;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
    if (!(i->ifa_flags & IFF_UP) || !(i->ifa_flags & IFF_BROADCAST) || (i->ifa_flags & IFF_LOOPBACK))
      continue;
    if (!wanted.empty() && !wanted.count(i->ifa_name)) continue;
    any = true;
  }
  freeifaddrs(list);
  if (!any) {
    const char* only = std::getenv("YOV_ADAPTERS");
    Fail(kExitNoAdapter, only ? std::string("no usable network adapter among YOV_ADAPTERS=") + only +
                                    " (each must be up, have an IPv4 address and allow broadcast)"
                              : "no network adapter with an IPv4 address is up; connect the PC "
                                "to the camera's network first");
  }
  return any;
}

int FindCamera(Finder& finder, const std::string& mac_text, int& exit_code) {
  auto mac = ParseMac(mac_text);
  if (!mac) {
    exit_code = Fail(kExitUsage, "'" + mac_text + "' is not a MAC address (like 00:1A:2B:3C:4D:5E)");
    return -1;
  }
  if (!CheckAdapters()) {
    exit_code = kExitNoAdapter;
    return -1;
  }
  YOVFinderSearch(finder.get(), 0);
  int index = YOVFindCameraIdxByMAC(finder.get(), mac->data());
  if (index < 0)
    exit_code = Fail(kExitNotFound, "no camera with MAC " + MacText(mac->data()) +
                                        " answered; check that it is powered and on this network");
  return index;
}

int OpenCamera(Finder& finder, const Cli& cli, const std::string& mac_text, int& exit_code) {
  int index = FindCamera(finder, mac_text, exit_code);
  if (index < 0) return index;
  std::string user = cli.Value("user", "YOV_USER", "admin");
  std::string password = cli.Value("password", "YOV_PASSWORD", "");
  YOVSetFinderCamAuth(finder.get(), index, user.c_str(), password.c_str());
  return index;
}

bool ReadRecord(Finder& finder, int index, bool refresh, _YOVCamSettings& record) {
  std::memset(&record, 0, sizeof record);
  record.Version = 1;
  unsigned long size = sizeof record;
  int rc = refresh ? YOVGetCameraInfo(finder.get(), index, &record, &size)
                   : YOVGetCameraInfoL(finder.get(), index, &record, &size);
  return rc == 0;
}

nlohmann::json CameraJson(const _YOVCamSettings& r) {
  auto text = [](const char* field, size_t n) { return std::string(field, strnlen(field, n)); };
  nlohmann::json j;
  j["mac"] = MacText(r.MacAddress);
  j["address"] = text(r.IpAddress, sizeof r.IpAddress);
  j["name"] = text(r.CameraName, sizeof r.CameraName);
  j["model"] = text(r.Model, sizeof r.Model);
  j["brand"] = text(r.Brand, sizeof r.Brand);
  j["http_port"] = r.HttpPort;
  if (r.Version == 1) {
    j["dhcp"] = r.DhcpEnabled != 0;
    j["subnet_mask"] = text(r.SubnetMask, sizeof r.SubnetMask);
    j["gateway"] = text(r.Gateway, sizeof r.Gateway);
    j["primary_dns"] = text(r.PrimaryDns, sizeof r.PrimaryDns);
    j["secondary_dns"] = text(r.SecondaryDns, sizeof r.SecondaryDns);
    j["flags"] = r.Flags;
    j["remote_access"] = (r.Flags & 1) != 0;
    j["https"] = (r.Flags & 2) != 0;
    j["wireless"] = (r.Capabilities & 1) != 0;
    j["capabilities"] = r.Capabilities;
    char when[48];
    std::snprintf(when, sizeof when, "%04u-%02u-%02u %02u:%02u:%02u", r.CameraTime.Year,
                  r.CameraTime.Month, r.CameraTime.Day, r.CameraTime.Hour, r.CameraTime.Minute,
                  r.CameraTime.Second);
    j["camera_time"] = when;
  }
  return j;
}

void PrintJson(const nlohmann::json& value) {
  // Camera texts are bytes of the camera's character set; never let them abort the output.
  std::cout << value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

void PrintResult(const Cli& cli, const nlohmann::json& object) {
  if (cli.json) return PrintJson(object);
  for (auto& [key, value] : object.items())
    std::cout << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
}

}  // namespace yovctl
