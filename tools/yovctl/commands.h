// The subcommands of yovctl; each family lives in its own cmd_*.cc file.
#pragma once

#include "cli.h"

namespace yovctl {

int RunSearch(Cli& cli);
int RunInfo(Cli& cli);
int RunWps(Cli& cli);
int RunDhcpProbe(Cli& cli);
int RunFreeIp(Cli& cli);
int RunThruInterface(Cli& cli);
int RunNetworkStatus(Cli& cli);
int RunPppoe(Cli& cli);
int RunRemote(Cli& cli);
int RunVerify(Cli& cli);
int RunPassword(Cli& cli);
int RunName(Cli& cli);
int RunNetwork(Cli& cli);
int RunTime(Cli& cli);
int RunPppoeConfig(Cli& cli);
int RunWireless(Cli& cli);
int RunSurvey(Cli& cli);
int RunOptions(Cli& cli);
int RunRestart(Cli& cli);
int RunFactoryReset(Cli& cli);
int RunCommit(Cli& cli);

// Adds "via", the local address through which the camera was reached, when it can be told.
void AddLocalAddress(Finder& finder, int index, nlohmann::json& camera);

}  // namespace yovctl
