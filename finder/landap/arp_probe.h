// The ARP seam: which of a set of addresses on an adapter's link are in use. Abstract so the
// free-address search runs against a fake in tests.
#pragma once

#include <span>
#include <vector>

#include "landap/env.h"

namespace yov {

constexpr uint32_t kArpTimeoutMs = 1000;  // as long as the system's own resolution waits

class ArpProber {
 public:
  virtual ~ArpProber() = default;
  // Sends one ARP request for each of `targets` on `adapter`'s link (sender: the adapter's
  // address and hardware address) and waits up to `timeout_ms` for the replies, less when all
  // have answered. Element i is true when targets[i] answered.
  virtual std::vector<bool> Probe(const Adapter& adapter, std::span<const Ipv4> targets,
                                  uint32_t timeout_ms) = 0;

  // The process-wide prober (raw ARP on Linux); tests may replace it (not while finders run).
  static ArpProber& Default();
  static void SetDefault(ArpProber* prober);  // nullptr restores the system prober
};

}  // namespace yov
