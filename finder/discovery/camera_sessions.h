// What a camera object keeps for WPS and the remote-access alias change between requests.
#pragma once

#include <array>
#include <cstdint>

#include "security/key_agreement.h"

namespace yov {

// The key material of the secure WPS exchange (minimal big-endian bytes, zeros behind).
struct SecureWpsKeys {
  std::array<uint8_t, kDhBufferSize> own_public{};
  int32_t dhkey_len = 0;  // significant bytes of own_public
  std::array<uint8_t, kDhBufferSize> secret{};
  int32_t secret_len = 0;  // -1 when the computation failed
};

struct CameraSessions {
  CameraSessions() = default;
  CameraSessions(const CameraSessions&) = delete;
  CameraSessions& operator=(const CameraSessions&) = delete;
  // A camera object that goes away takes the library-wide pending key pair with it.
  ~CameraSessions() { DiscardPendingKeyPair(); }

  SecureWpsKeys keys;
  uint32_t wps_session = 0;    // older WPS method: from CmdWpsStart, 0 when none
  uint32_t alias_session = 0;  // from CmdOstrelSetAlias until a poll ends the change
};

}  // namespace yov
