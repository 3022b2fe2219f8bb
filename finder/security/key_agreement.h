// Diffie-Hellman key agreement of the secure WPS exchange: the 1536-bit MODP group of
// RFC 3526 with generator 2, big numbers from OpenSSL, minimal big-endian encodings.
#pragma once

#include <cstdint>
#include <memory>

#include "landap/byte_codec.h"

namespace yov {

constexpr size_t kDhFieldSize = 192;   // a public value or a secret on the wire
constexpr size_t kDhBufferSize = 512;  // the camera object's key and secret buffers
constexpr int kDhPrivateBits = 1535;   // 2^1534 <= x < 2^1535

// One key pair of the group. Not copyable; any method may be called from one thread at a time.
class DhKeyPair {
 public:
  DhKeyPair();
  ~DhKeyPair();
  DhKeyPair(const DhKeyPair&) = delete;
  DhKeyPair& operator=(const DhKeyPair&) = delete;

  // Draws a fresh private value from OpenSSL's generator and computes g^x mod p.
  bool Generate();
  // The public value as minimal big-endian bytes at the start of `out`; the byte count, or -1
  // when there is no pair or `out` is too small.
  int PublicBytes(MutableBytes out) const;
  // peer^x mod p for the big-endian `peer` bytes (not checked against the group), as minimal
  // big-endian bytes at the start of `out`; the byte count, or -1 on failure.
  int Secret(Bytes peer, MutableBytes out) const;
  // Bit count of the private value (1535 for every generated pair); 0 without a pair.
  int PrivateBits() const;

 private:
  struct Numbers;
  std::unique_ptr<Numbers> n_;
};

// The library-wide pending key pair (at most one at a time). Both operations print their
// diagnostic lines to standard error.
//
// GenerateDHPublicKey: sets dhkey_len to 0, replaces any pending pair by a fresh one and
// writes its public value into `out` (zeroed by the caller, at least 192 bytes), setting
// dhkey_len to its byte count. On failure no pair is pending and dhkey_len stays 0.
void GenerateDHPublicKey(MutableBytes out, int32_t& dhkey_len);
// GenerateDHSecreteKey: sets secret_len to 0; with a non-empty `out` (zeroed by the caller)
// and a pending pair writes peer^x mod p and its byte count (-1 when the computation fails).
// The pending pair is discarded in every case.
void GenerateDHSecreteKey(Bytes peer, MutableBytes out, int32_t& secret_len);
// Discards the pending pair, if any (a camera object is destroyed).
void DiscardPendingKeyPair();
bool HasPendingKeyPair();

}  // namespace yov
