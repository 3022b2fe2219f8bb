// The process-wide command dispatch table.
#include "handler_table.h"

namespace camsim {

HandlerTable& HandlerTable::Instance() {
  static HandlerTable table;  // built on first use, so registrations in any file are safe
  return table;
}

void HandlerTable::Add(HandlerSpec spec) { specs_[spec.command] = std::move(spec); }

const HandlerSpec* HandlerTable::Find(uint16_t command) const {
  auto it = specs_.find(command);
  return it == specs_.end() ? nullptr : &it->second;
}

std::vector<uint16_t> HandlerTable::Commands() const {
  std::vector<uint16_t> out;
  for (const auto& [code, spec] : specs_) out.push_back(code);
  return out;
}

}  // namespace camsim
