// The result payload of commands that change something (16 bytes, or its 4-byte short form)
// and its decoding into the result triple.
#pragma once

#include <array>
#include <optional>

#include "landap/byte_codec.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kResultPayloadSize = 16;
constexpr size_t kResultWordSize = 4;
constexpr size_t kResultReplySize = 22 + kResultPayloadSize;  // 38

struct ResultPayload {
  uint32_t error = 0;    // offset 0: error value when the status is not 0
  uint32_t value = 0;    // offset 4: result value when the status is 0
  uint32_t wait_ms = 0;  // offset 8: milliseconds before the change is in force
  uint32_t session = 0;  // offset 12: WPS session number (older WPS start only)
};

std::array<uint8_t, kResultPayloadSize> EncodeResultPayload(const ResultPayload& r);
// The short form: one word, the error value of a refusal or the value of an acceptance.
std::array<uint8_t, kResultWordSize> EncodeResultWord(uint32_t word);
// Reads a 16-byte payload; nullopt when shorter.
std::optional<ResultPayload> DecodeResultPayload(Bytes payload);

// Outcome of a set-type reply; the values are the internal operation results.
enum SetReplyResult : int { kReplyAccepted = 0, kReplyRefused = 1, kReplyAuthRefused = 2 };

// Applies a reply's status and payload to the triple. `payload_length` is the header's field;
// `payload` the bytes behind the header (words beyond it read as 0). Status 2 leaves the triple
// as it is; another refusal keeps the first word as ErrorCode (4- or 16-byte payloads);
// acceptance takes Value and WaitTime from a 16-byte payload or Value from a 4-byte one.
SetReplyResult DecodeSetReply(uint16_t status, uint16_t payload_length, Bytes payload,
                              _YOVFinderResult& triple);

}  // namespace yov
