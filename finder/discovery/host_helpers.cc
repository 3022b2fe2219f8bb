// The host-side helpers: interface settings, DHCP probe and free address.
#include "discovery/host_helpers.h"

#include "discovery/free_address.h"
#include "landap/dhcp_probe.h"

namespace yov {
namespace {

// Position of the camera's adapter in the manager's snapshot, or -1.
int AdapterOf(CLANDAPMgr& manager, int index) {
  CLANCamObject* camera = manager.Camera(index);
  if (!camera) return -1;
  return manager.adapters().FindByAddress(camera->interface_address());
}

}  // namespace

int GetThruInterface(CLANDAPMgr& manager, int index, _YOVThruInterface& out) {
  int position = AdapterOf(manager, index);
  if (position < 0) return kOpFailed;
  // Re-resolution takes its own snapshot; the search's stays as it was.
  CAdapterEnumerator adapters = manager.adapters();
  Ipv4 address = adapters.Address(position);
  if (Ipv4 now = adapters.ReResolve(position)) address = now;
  PutAddressText(out.IpAddress, address);
  int at = adapters.FindByAddress(address);
  const Adapter* a = adapters.At(at);
  if (!a) return kOpOk;  // only the address is known
  out.DhcpEnabled = adapters.DhcpEnabled(at) ? 1 : 0;
  std::copy(a->hardware.begin(), a->hardware.end(), out.MacAddress);
  PutAddressText(out.SubnetMask, adapters.Mask(at));
  PutAddressText(out.Gateway, adapters.Gateway(at));
  // The snapshot reports an all-ones DNS server as 0, written "0.0.0.0".
  PutAddressText(out.PrimaryDns, adapters.Dns1(at));
  PutAddressText(out.SecondaryDns, adapters.Dns2(at));
  return kOpOk;
}

int DiscoverDhcpServer(CLANDAPMgr& manager, int index, std::string& server) {
  int position = AdapterOf(manager, index);
  if (position < 0) return kOpFailed;
  Ipv4 sender = ProbeDhcpServer(manager.env(), manager.adapters().Address(position),
                                *manager.adapters().HardwareAddress(position));
  if (sender == 0) return kOpNotReady;
  server = AddressText(sender);
  return kOpOk;
}

int FindFreeIp(CLANDAPMgr& manager, ArpProber& prober, int index, std::string& address) {
  int position = AdapterOf(manager, index);
  if (position < 0) return kOpFailed;
  CAdapterEnumerator adapters = manager.adapters();
  Ipv4 now = adapters.ReResolve(position);
  const Adapter* a = now ? adapters.At(adapters.FindByAddress(now)) : nullptr;
  if (!a) return kOpFailed;
  Ipv4 free = FindFreeAddress(prober, *a);
  if (free == 0) return kOpNotReady;
  address = AddressText(free);
  return kOpOk;
}

}  // namespace yov
