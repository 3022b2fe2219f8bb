// yovctl search / info: the cameras on every local network and one camera's record.
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli.h"
#include "commands.h"

namespace yovctl {
namespace {

void PrintTable(const nlohmann::json& cameras) {
  std::printf("%-17s  %-15s  %-5s  %-10s  %-10s  %-15s  %s\n", "MAC", "ADDRESS", "PORT", "MODEL",
              "BRAND", "VIA", "NAME");
  for (const auto& c : cameras)
    std::printf("%-17s  %-15s  %-5d  %-10s  %-10s  %-15s  %s\n", c["mac"].get<std::string>().c_str(),
                c["address"].get<std::string>().c_str(), c["http_port"].get<int>(),
                c["model"].get<std::string>().c_str(), c["brand"].get<std::string>().c_str(),
                c.value("via", "-").c_str(), c["name"].get<std::string>().c_str());
}

}  // namespace

int RunSearch(Cli& cli) {
  if (!CheckAdapters()) return kExitNoAdapter;
  Finder finder;
  if (!finder.get()) return Fail(kExitFailed, "cannot create the finder");
  int rc = YOVFinderSearch(finder.get(), 0);
  nlohmann::json cameras = nlohmann::json::array();
  for (int i = 0; i < YOVGetCameraNum(finder.get()); ++i) {
    _YOVCamSettings record;
    if (!ReadRecord(finder, i, false, record)) continue;
    nlohmann::json j = CameraJson(record);
    AddLocalAddress(finder, i, j);
    cameras.push_back(j);
  }
  if (cli.json)
    PrintJson(cameras);
  else if (!cameras.empty())
    PrintTable(cameras);
  if (rc != 0 || cameras.empty())
    return Fail(kExitNotFound,
                "no camera answered; check that the camera is powered and plugged into the same "
                "network as this PC");
  if (!cli.json) std::printf("%zu camera(s) found\n", cameras.size());
  return kExitOk;
}

int RunInfo(Cli& cli) {
  if (cli.args.size() != 1) return Fail(kExitUsage, "usage: yovctl info MAC [--json]");
  Finder finder;
  int exit_code = kExitOk;
  int index = FindCamera(finder, cli.args[0], exit_code);
  if (index < 0) return exit_code;
  _YOVCamSettings record;
  if (!ReadRecord(finder, index, true, record))
    return Fail(kExitFailed, "the camera stopped answering while its information was read");
  nlohmann::json j = CameraJson(record);
  AddLocalAddress(finder, index, j);
  if (cli.json) {
    PrintJson(j);
  } else {
    for (auto& [key, value] : j.items())
      std::cout << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
  }
  return kExitOk;
}

}  // namespace yovctl
