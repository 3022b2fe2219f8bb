// The camera's side of the secure WPS key agreement, written on OpenSSL big numbers apart from
// the finder's own code, so that a fault there cannot hide in its own counterpart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "landap/byte_codec.h"

namespace camsim {

// One camera exchange: the finder's public value as received, the camera's key pair and the
// secrets the finder may have computed.
class CameraKeyAgreement {
 public:
  // `finder_field`: the 192 unscrambled bytes of CmdWpsKeyStart. The finder writes its value
  // minimal and big-endian at the start and later reads ours with its own length, which the
  // zeros behind tell only up to trailing zero bytes of the value itself; so the camera
  // picks a key of the apparent length and accepts the secret of any length the zeros allow.
  explicit CameraKeyAgreement(yov::Bytes finder_field);

  // The camera's public value, minimal big-endian at the start of a zeroed 192-byte field.
  std::vector<uint8_t> PublicField() const { return public_field_; }
  // Whether `returned` (the 192 unscrambled bytes of CmdWpsSendSecret) is a secret the finder
  // can have computed; the matching secret is kept for Secret().
  bool Check(yov::Bytes returned);
  const std::vector<uint8_t>& Secret() const { return secret_; }  // after a successful Check

 private:
  std::vector<uint8_t> finder_value_;  // the apparent value (trailing zero bytes cut)
  size_t trailing_zeros_ = 0;
  std::vector<uint8_t> private_;       // big-endian
  std::vector<uint8_t> public_field_;
  std::vector<uint8_t> secret_;
};

}  // namespace camsim
