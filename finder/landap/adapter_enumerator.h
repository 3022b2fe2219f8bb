// CAdapterEnumerator: a snapshot of the PC's IPv4 adapters, addressed by position.
#pragma once

#include <optional>
#include <vector>

#include "landap/env.h"

namespace yov {

class CAdapterEnumerator {
 public:
  explicit CAdapterEnumerator(Env& env) : env_(env) {}

  void Refresh();  // replaces the snapshot and records the tick count
  int Count() const { return static_cast<int>(adapters_.size()); }
  // Values of the adapter at `i`; 0 (or nullopt) beyond the snapshot. The all-ones address is
  // reported as 0.
  Ipv4 Address(int i) const;
  Ipv4 Mask(int i) const;
  Ipv4 Gateway(int i) const;
  Ipv4 Dns1(int i) const;
  Ipv4 Dns2(int i) const;
  std::optional<Mac> HardwareAddress(int i) const;
  bool DhcpEnabled(int i) const;
  const Adapter* At(int i) const;
  // Position of the first adapter whose address is `address`, or -1.
  int FindByAddress(Ipv4 address) const;
  // Refreshes the snapshot and returns the current address of the adapter that had the
  // hardware address of position `i` before (first match); 0 when it is gone.
  Ipv4 ReResolve(int i);
  uint32_t snapshot_tick() const { return tick_; }

 private:
  Ipv4 Value(int i, Ipv4 Adapter::*field) const;

  Env& env_;
  std::vector<Adapter> adapters_;
  uint32_t tick_ = 0;
};

}  // namespace yov
