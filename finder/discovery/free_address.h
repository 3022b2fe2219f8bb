// The search for an address of a subnet that no host uses, by ARP.
#pragma once

#include <array>
#include <optional>

#include "landap/arp_probe.h"

namespace yov {

// Probes this many addresses at once: the first unanswered one is still the lowest free
// address, and a full batch of answers ends its wait early.
constexpr size_t kArpBatchSize = 32;

// The addresses of a subnet in ascending order: octet k runs from (A_k & M_k) to
// (A_k & M_k) + ~M_k, and in the last octet the first and last value are skipped.
class SubnetWalk {
 public:
  SubnetWalk(Ipv4 address, Ipv4 mask);
  std::optional<Ipv4> Next();

 private:
  std::array<int, 4> low_{}, high_{}, current_{};
  bool done_ = false;
};

// The first address of the adapter's subnet (ascending) that no host answers; the adapter's
// own address counts as used. 0 when every address answered or the subnet has none.
Ipv4 FindFreeAddress(ArpProber& prober, const Adapter& adapter,
                     uint32_t timeout_ms = kArpTimeoutMs);

}  // namespace yov
