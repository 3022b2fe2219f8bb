// yovctl: find and set up cameras from the command line with the YOVFinder library.
#include <cstring>
#include <iostream>
#include <string>

#include "cli.h"
#include "commands.h"

namespace yovctl {
namespace {

// To add a subcommand: write Run<Name>(Cli&) in a cmd_*.cc file, declare it in commands.h and
// add a row here.
const Command kCommands[] = {
    {"search", "search [--json]", "list the cameras on every local network", RunSearch},
    {"info", "info MAC [--json]", "print one camera's record", RunInfo},
    {"verify", "verify MAC", "check the administrator credentials with the camera", RunVerify},
    {"password", "password MAC --new-password P [--new-user U]",
     "change the administrator credentials", RunPassword},
    {"name", "name MAC [NEW-NAME]", "read or change the camera's name", RunName},
    {"network", "network MAC [--dhcp | --ip A --mask M [--gateway G] [--dns1 D] [--dns2 D]]",
     "read or change the camera's addresses", RunNetwork},
    {"time", "time MAC [--set now|\"YYYY-MM-DD HH:MM:SS\"]", "read or set the camera's clock",
     RunTime},
    {"pppoe-config", "pppoe-config MAC [--enable --pppoe-user U --pppoe-password P | --disable]",
     "read or change the camera's PPPoE settings", RunPppoeConfig},
    {"wireless", "wireless MAC [--ssid S [--passphrase K] [--auth N] [--encryption N] | --disable]",
     "read or change the camera's wireless settings", RunWireless},
    {"survey", "survey MAC", "list the wireless networks the camera sees", RunSurvey},
    {"options", "options MAC", "list the optional commands the camera supports", RunOptions},
    {"restart", "restart MAC", "restart the camera", RunRestart},
    {"factory-reset", "factory-reset MAC", "restore the camera's factory settings", RunFactoryReset},
    {"commit", "commit MAC", "make pending settings take effect", RunCommit},
    {"wps", "wps MAC (--push-button | --pin PIN)",
     "join the camera to a wireless network by WPS", RunWps},
    {"dhcp-probe", "dhcp-probe MAC", "ask whether a DHCP server answers on the camera's network",
     RunDhcpProbe},
    {"free-ip", "free-ip MAC", "find an address on the camera's network that nobody uses",
     RunFreeIp},
    {"thru-interface", "thru-interface MAC", "show the PC's adapter that reaches the camera",
     RunThruInterface},
    {"network-status", "network-status MAC", "show how the camera's network change is going",
     RunNetworkStatus},
    {"pppoe", "pppoe MAC available|done", "ask whether the camera's PPPoE server or link is up",
     RunPppoe},
    {"remote", "remote search [--background] | remote enable|state|url|alias|sub-domain MAC ...",
     "the remote-access service", RunRemote},
};

int Usage(int code) {
  std::ostream& out = code == kExitOk ? std::cout : std::cerr;
  out << "usage: yovctl [--adapter IF[,IF...]] COMMAND [ARGS] [--json]\n\ncommands:\n";
  for (const auto& c : kCommands) out << "  " << c.usage << "\n      " << c.summary << "\n";
  out << "\nCredentials come from --user/--password or YOV_USER/YOV_PASSWORD.\n"
         "exit codes: 0 done, 1 failed, 2 usage, 3 no network adapter, 4 camera not found\n";
  return code;
}

// Options are "--name value" or "--flag"; known flags take no value.
bool IsFlag(const std::string& name) {
  return name == "json" || name == "background" || name == "help" || name == "dhcp" ||
         name == "disable" || name == "enable" || name == "push-button";
}

}  // namespace
}  // namespace yovctl

int main(int argc, char** argv) {
  using namespace yovctl;
  Cli cli;
  std::string command;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("--", 0) == 0 && a.size() > 2) {
      std::string name = a.substr(2), value = "1";
      if (auto eq = name.find('='); eq != std::string::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
      } else if (!IsFlag(name)) {
        if (i + 1 >= argc) return Fail(kExitUsage, "option --" + name + " needs a value");
        value = argv[++i];
      }
      cli.options[name] = value;
    } else if (command.empty()) {
      command = a;
    } else {
      cli.args.push_back(a);
    }
  }
  cli.json = cli.Has("json");
  if (cli.Has("help") || command == "help") return Usage(kExitOk);
  if (command.empty()) return Usage(kExitUsage);
  if (cli.Has("adapter")) setenv("YOV_ADAPTERS", cli.options["adapter"].c_str(), 1);
  for (const auto& c : kCommands)
    if (command == c.name) return c.run(cli);
  std::cerr << "yovctl: unknown command '" << command << "'\n";
  return Usage(kExitUsage);
}
