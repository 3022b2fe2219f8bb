// SubnetWalk and the batched free-address search.
#include "discovery/free_address.h"

#include <cstring>
#include <vector>

namespace yov {
namespace {

int Octet(Ipv4 a, int k) { return reinterpret_cast<const uint8_t*>(&a)[k]; }

}  // namespace

SubnetWalk::SubnetWalk(Ipv4 address, Ipv4 mask) {
  for (int k = 0; k < 4; ++k) {
    low_[k] = Octet(address, k) & Octet(mask, k);
    high_[k] = low_[k] + (~Octet(mask, k) & 0xFF);
  }
  // The host part all zeros and all ones of the last octet are never offered.
  ++low_[3];
  --high_[3];
  done_ = low_[3] > high_[3];
  current_ = low_;
}

std::optional<Ipv4> SubnetWalk::Next() {
  if (done_) return std::nullopt;
  uint8_t bytes[4];
  for (int k = 0; k < 4; ++k) bytes[k] = static_cast<uint8_t>(current_[k]);
  Ipv4 out;
  std::memcpy(&out, bytes, 4);
  // Odometer step, the last octet fastest.
  int k = 3;
  while (k >= 0 && current_[k] == high_[k]) {
    current_[k] = low_[k];
    --k;
  }
  if (k < 0)
    done_ = true;
  else
    ++current_[k];
  return out;
}

Ipv4 FindFreeAddress(ArpProber& prober, const Adapter& adapter, uint32_t timeout_ms) {
  SubnetWalk walk(adapter.address, adapter.mask);
  for (;;) {
    std::vector<Ipv4> batch;
    while (batch.size() < kArpBatchSize)
      if (auto a = walk.Next())
        batch.push_back(*a);
      else
        break;
    if (batch.empty()) return 0;
    // Our own address is in use; the kernel does not answer our own requests for it.
    std::vector<Ipv4> asked;
    for (Ipv4 a : batch)
      if (a != adapter.address) asked.push_back(a);
    std::vector<bool> answered = prober.Probe(adapter, asked, timeout_ms);
    size_t j = 0;
    for (Ipv4 a : batch) {
      if (a == adapter.address) continue;
      bool used = j < answered.size() && answered[j];
      ++j;
      if (!used) return a;
    }
  }
}

}  // namespace yov
