// Snapshot queries of CAdapterEnumerator.
#include "landap/adapter_enumerator.h"

namespace yov {

void CAdapterEnumerator::Refresh() {
  adapters_ = env_.ListAdapters();
  tick_ = env_.TickMs();
}

const Adapter* CAdapterEnumerator::At(int i) const {
  return i >= 0 && i < Count() ? &adapters_[i] : nullptr;
}

Ipv4 CAdapterEnumerator::Value(int i, Ipv4 Adapter::*field) const {
  const Adapter* a = At(i);
  if (!a) return 0;
  Ipv4 v = a->*field;
  return v == 0xFFFFFFFFu ? 0 : v;
}

Ipv4 CAdapterEnumerator::Address(int i) const { return Value(i, &Adapter::address); }
Ipv4 CAdapterEnumerator::Mask(int i) const { return Value(i, &Adapter::mask); }
Ipv4 CAdapterEnumerator::Gateway(int i) const { return Value(i, &Adapter::gateway); }
Ipv4 CAdapterEnumerator::Dns1(int i) const { return Value(i, &Adapter::dns1); }
Ipv4 CAdapterEnumerator::Dns2(int i) const { return Value(i, &Adapter::dns2); }
bool CAdapterEnumerator::DhcpEnabled(int i) const { return At(i) && At(i)->dhcp; }

std::optional<Mac> CAdapterEnumerator::HardwareAddress(int i) const {
  if (const Adapter* a = At(i)) return a->hardware;
  return std::nullopt;
}

int CAdapterEnumerator::FindByAddress(Ipv4 address) const {
  for (int i = 0; i < Count(); ++i)
    if (adapters_[i].address == address) return i;
  return -1;
}

Ipv4 CAdapterEnumerator::ReResolve(int i) {
  std::optional<Mac> hardware = HardwareAddress(i);
  Refresh();
  if (!hardware) return 0;
  for (int j = 0; j < Count(); ++j)
    if (adapters_[j].hardware == *hardware) return Address(j);
  return 0;
}

}  // namespace yov
