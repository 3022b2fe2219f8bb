// yovctl pppoe-config / wireless / survey / options / restart / factory-reset / commit.
#include <cstring>
#include <vector>

#include "cli.h"
#include "commands.h"
#include "set_result.h"

namespace yovctl {
namespace {

using nlohmann::json;

int Number(const Cli& cli, const char* option, int fallback) {
  std::string v = cli.Value(option);
  return v.empty() ? fallback : std::atoi(v.c_str());
}

using SimpleSet = int (*)(YOVFinderHandle, int, _YOVFinderResult*, int);

int Simple(Cli& cli, const char* usage, const char* what, SimpleSet op) {
  return WithCamera(cli, usage, 1, [&](Finder& finder, int index) {
    _YOVFinderResult result{};
    return ReportSet(cli, what, op(finder.get(), index, &result, 0), result);
  });
}

}  // namespace

int RunPppoeConfig(Cli& cli) {
  const char* usage = "pppoe-config MAC [--enable --pppoe-user U --pppoe-password P | --disable]";
  return WithCamera(cli, usage, 1, [&](Finder& finder, int index) {
    _YOVAdvNetwork adv;
    std::memset(&adv, 0, sizeof adv);
    unsigned long size = sizeof adv;
    if (YOVGetAdvNetwork(finder.get(), index, &adv, &size) != 0)
      return Fail(kExitFailed, "the camera did not report its PPPoE settings");
    if (!cli.Has("enable") && !cli.Has("disable")) {
      PrintResult(cli, {{"pppoe", adv.PppoeEnabled != 0}, {"pppoe_user", TextOf(adv.PppoeUser, 64)}});
      return kExitOk;
    }
    adv.ValidMask = 4;  // send the PPPoE switch
    adv.PppoeEnabled = cli.Has("enable") ? 1 : 0;
    if (cli.Has("enable")) {
      if (!PutField(adv.PppoeUser, cli.Value("pppoe-user")) ||
          !PutField(adv.PppoePassword, cli.Value("pppoe-password")))
        return Fail(kExitUsage, "PPPoE user name and password hold at most 63 bytes each");
      adv.ValidMask |= 8;  // and the credentials
    }
    _YOVFinderResult result{};
    int rc = YOVSetAdvNetwork(finder.get(), index, &adv, sizeof adv, &result, 0);
    return ReportSet(cli, "the PPPoE settings", rc, result);
  });
}

int RunWireless(Cli& cli) {
  const char* usage =
      "wireless MAC [--ssid S [--passphrase K] [--auth 0-5] [--encryption 0-4] [--channel N] | --disable]";
  return WithCamera(cli, usage, 1, [&](Finder& finder, int index) {
    _YOVWireless w;
    std::memset(&w, 0, sizeof w);
    unsigned long size = sizeof w;
    if (YOVGetWireless(finder.get(), index, &w, &size) != 0)
      return Fail(kExitFailed, "the camera did not report its wireless settings");
    if (!cli.Has("ssid") && !cli.Has("disable")) {
      PrintResult(cli, {{"enabled", w.WirelessEnabled != 0}, {"ssid", TextOf(w.Ssid, sizeof w.Ssid)},
                        {"mode", w.WirelessMode}, {"channel", w.Channel},
                        {"authentication", w.Authentication}, {"encryption", w.Encryption}});
      return kExitOk;
    }
    if (cli.Has("disable")) {
      w.WirelessEnabled = 0;
    } else {
      if (!PutField(w.Ssid, cli.Value("ssid")) || !PutField(w.Passphrase, cli.Value("passphrase")))
        return Fail(kExitUsage, "an SSID holds at most 32 bytes, a passphrase at most 64");
      w.WirelessEnabled = 1;
      w.WirelessMode = 0;
      bool keyed = cli.Has("passphrase");
      w.Authentication = static_cast<uint32_t>(Number(cli, "auth", keyed ? 4 : 0));       // WPA2-PSK
      w.Encryption = static_cast<uint32_t>(Number(cli, "encryption", keyed ? 3 : 0));     // AES
      w.Channel = static_cast<uint32_t>(Number(cli, "channel", static_cast<int>(w.Channel)));
    }
    _YOVFinderResult result{};
    int rc = YOVSetWireless(finder.get(), index, &w, sizeof w, &result, 0);
    return ReportSet(cli, "the wireless settings", rc, result);
  });
}

int RunSurvey(Cli& cli) {
  return WithCamera(cli, "survey MAC [--json]", 1, [&](Finder& finder, int index) {
    _YOVFinderResult result{};
    if (YOVInitWirelessSiteSurvey(finder.get(), index, &result, 0) != 0)
      return ReportSet(cli, "the request to scan for networks", -1, result);
    std::vector<_YOVSiteSurveyStation> stations(64);
    int count = static_cast<int>(stations.size());
    int rc = YOVGetWirelessSiteSurInfo(finder.get(), index, stations.data(), &count);
    if (rc == YOV_E_SMALL_BUFFER) {
      stations.resize(static_cast<size_t>(count));
      rc = YOVGetWirelessSiteSurInfo(finder.get(), index, stations.data(), &count);
    }
    if (rc != 0) return Fail(kExitFailed, "the camera did not report the networks it found");
    json list = json::array();
    for (int i = 0; i < count; ++i) {
      const auto& s = stations[static_cast<size_t>(i)];
      list.push_back({{"ssid", TextOf(s.Ssid, sizeof s.Ssid)}, {"signal", s.SignalStrength},
                      {"channel", s.StationChannel + 1}, {"authentication", s.StationAuthentication},
                      {"encryption", s.StationEncryption}, {"mode", s.StationMode}});
    }
    if (cli.json) {
      PrintJson(list);
    } else {
      for (const auto& s : list)
        std::printf("%-32s  signal %3d%%  channel %2d\n", s["ssid"].get<std::string>().c_str(),
                    s["signal"].get<int>(), s["channel"].get<int>());
      std::printf("%d network(s)\n", count);
    }
    return kExitOk;
  });
}

int RunOptions(Cli& cli) {
  return WithCamera(cli, "options MAC [--json]", 1, [&](Finder& finder, int index) {
    std::vector<unsigned short> codes(64);
    int count = static_cast<int>(codes.size());
    if (YOVGetLANDAPOptionCmd(finder.get(), index, codes.data(), &count) != 0)
      return Fail(kExitFailed, "the camera did not list its optional commands");
    codes.resize(static_cast<size_t>(count));
    PrintResult(cli, {{"option_codes", codes}});
    return kExitOk;
  });
}

int RunRestart(Cli& cli) { return Simple(cli, "restart MAC", "the restart", YOVResetCamera); }
int RunFactoryReset(Cli& cli) {
  return Simple(cli, "factory-reset MAC", "the factory reset", YOVFactoryResetCamera);
}
int RunCommit(Cli& cli) { return Simple(cli, "commit MAC", "the commit of pending settings", YOVCommitSettings); }

}  // namespace yovctl
