// The PC's side of the network that reaches a camera: the interface's settings, whether a DHCP
// server answers there, a free address by ARP; and three polls of the camera's network change.
#pragma once

#include <string>

#include "discovery/lan_cam_mgr.h"
#include "landap/arp_probe.h"
#include "yovfinder.h"

namespace yov {

constexpr uint32_t kPppoeBudgetMs = 60000;
constexpr uint32_t kPppoePollPauseMs = 100;

// Fills `out` for the adapter of the last search through which the camera was found, after
// re-resolving it by hardware address (its address may have changed since). Fields whose
// adapter is gone stay as the caller had them. -1 for a bad index or no such adapter.
int GetThruInterface(CLANDAPMgr& manager, int index, _YOVThruInterface& out);

// The DHCP probe on the camera's adapter: 0 with the first answering host in `server`, -7 when
// nothing answered, -1 for a bad index or no such adapter.
int DiscoverDhcpServer(CLANDAPMgr& manager, int index, std::string& server);

// The lowest unused address of the camera's adapter's subnet: 0 with it in `address`, -7 when
// none was found, -1 for a bad index or an adapter that is gone.
int FindFreeIp(CLANDAPMgr& manager, ArpProber& prober, int index, std::string& address);

// CmdNetworkStatus with retries: 0 with `out` filled, -1 otherwise.
int QueryNetworkStatus(CLANDAPObj& camera, uint16_t sequence, _YOVCamNetworkStatus& out);

// CmdPppoeAvailable or CmdPppoeDone, asked again 100 ms after each "not ready" (no reply, or
// status 257) for up to 60 s: 0 with the answer byte in `out`, -9 when the time ran out,
// -1 for any other reply.
int QueryPppoe(CLANDAPMgr& manager, CLANDAPObj& camera, uint16_t command, int& out);

}  // namespace yov
