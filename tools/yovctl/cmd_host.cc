// yovctl dhcp-probe / free-ip / thru-interface / network-status / pppoe: the PC's side of the
// network that reaches a camera, and the camera's view of its network change.
#include <cstring>

#include "cli.h"
#include "commands.h"

namespace yovctl {
namespace {

using nlohmann::json;

// A text export with a short size: prints it as `key`, or says that nothing was found.
int TextCommand(Cli& cli, const char* usage, const char* key, const char* none,
                int (*op)(YOVFinderHandle, int, char*, short*)) {
  return WithCamera(cli, usage, 1, [&](Finder& finder, int index) {
    char buffer[64] = {};
    short size = sizeof buffer;
    int rc = op(finder.get(), index, buffer, &size);
    if (rc == YOV_E_NOT_FOUND) return Fail(kExitFailed, none);
    if (rc != 0) return Fail(kExitFailed, "the request failed (" + std::to_string(rc) + ")");
    PrintResult(cli, {{key, buffer}});
    return kExitOk;
  });
}

}  // namespace

int RunDhcpProbe(Cli& cli) {
  return TextCommand(cli, "dhcp-probe MAC [--json]", "dhcp_server",
                     "no DHCP server answered on the camera's network", YOVDHCPDiscover);
}

int RunFreeIp(Cli& cli) {
  return TextCommand(cli, "free-ip MAC [--json]", "free_address",
                     "every address of the camera's network answered; none is free", YOVGetFreeIP);
}

int RunThruInterface(Cli& cli) {
  return WithCamera(cli, "thru-interface MAC [--json]", 1, [&](Finder& finder, int index) {
    _YOVThruInterface t;
    std::memset(&t, 0, sizeof t);
    if (YOVGetThruInterface(finder.get(), index, &t) != 0)
      return Fail(kExitFailed, "the adapter that reached the camera is no longer present");
    PrintResult(cli, {{"address", TextOf(t.IpAddress, 16)},  {"subnet_mask", TextOf(t.SubnetMask, 16)},
                      {"gateway", TextOf(t.Gateway, 16)},    {"primary_dns", TextOf(t.PrimaryDns, 16)},
                      {"secondary_dns", TextOf(t.SecondaryDns, 16)}, {"dhcp", t.DhcpEnabled != 0},
                      {"mac", MacText(t.MacAddress)}});
    return kExitOk;
  });
}

int RunNetworkStatus(Cli& cli) {
  return WithCamera(cli, "network-status MAC [--json]", 1, [&](Finder& finder, int index) {
    _YOVCamNetworkStatus s;
    std::memset(&s, 0, sizeof s);
    if (YOVQueryNetworkStatus(finder.get(), index, &s) != 0)
      return Fail(kExitFailed, "the camera did not report its network status");
    const char* state = s.State == 1 ? "in progress" : s.State == 3 ? "failed" : "finished";
    PrintResult(cli, {{"state", s.State}, {"meaning", state}, {"fail_reason", s.FailReason},
                      {"address1", TextOf(s.StatusAddress1, 16)},
                      {"address2", TextOf(s.StatusAddress2, 16)}, {"value", s.StatusValue}});
    return kExitOk;
  });
}

int RunPppoe(Cli& cli) {
  const char* usage = "pppoe MAC available|done [--json]";
  if (cli.args.size() == 2 && cli.args[1] != "available" && cli.args[1] != "done")
    return Fail(kExitUsage, std::string("usage: yovctl ") + usage);
  return WithCamera(cli, usage, 2, [&](Finder& finder, int index) {
    bool available = cli.args[1] == "available";
    int answer = 0;
    int rc = available ? YOVQueryPPPoEAvailable(finder.get(), index, &answer)
                       : YOVQueryPPPoEDone(finder.get(), index, &answer);
    if (rc == YOV_E_NOT_FOUND) return Fail(kExitFailed, "the camera was not ready within 60 s");
    if (rc != 0) return Fail(kExitFailed, "the camera did not answer the PPPoE query");
    PrintResult(cli, {{available ? "pppoe_available" : "pppoe_done", answer}});
    return kExitOk;
  });
}

}  // namespace yovctl
