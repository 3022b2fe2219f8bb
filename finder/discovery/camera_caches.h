// What a camera object remembers between operations: option codes, provider names, capability.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "landap/wireless_payload.h"

namespace yov {

constexpr uint32_t kProviderCacheMs = 60000;

struct ProviderCache {
  bool filled = false;
  uint32_t tick = 0;               // when the list was last read
  std::string text;                // as the camera sent it
  std::vector<std::wstring> names;
};

struct CameraCaches {
  std::vector<uint16_t> option_codes;     // empty until a camera lists a known code
  ProviderCache providers;                // from the last CmdGetAdvNetwork
  std::optional<CapabilityBlock> capability;  // from the last CmdGetWireless
};

}  // namespace yov
