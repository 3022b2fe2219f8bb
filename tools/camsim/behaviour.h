// How a simulated camera shapes (or withholds) its replies: the misbehaviours tests ask for.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

namespace camsim {

// The reply-shaping keys of a camera's "behaviour" object. Every key may also appear under
// "commands": {"<code>": {...}}, which overrides it for that command only; a per-command object
// may carry further keys of its own that only that command's handler reads.
struct Behaviour {
  bool silent = false;          // "silent": no answer at all
  bool only_marker0 = false;    // "only_marker0": ignore requests marked 0x7777
  bool reply_broadcast = false; // "reply_broadcast": send to 255.255.255.255:<requester port>
  std::optional<uint16_t> magic;           // "magic": N, or "wrong_magic": true (0xFDFD)
  int sequence_offset = 0;                 // "sequence_offset": N, or "wrong_sequence": true (+1)
  std::optional<uint16_t> command;         // "command": N
  bool wrong_command = false;              // "wrong_command": true (the request's code + 1)
  std::optional<uint16_t> status;          // "status": N replaces the handler's status
  std::optional<uint16_t> header_version;  // "header_version": N
  std::optional<std::vector<uint8_t>> payload;  // "payload_hex": replaces the handler's payload
  std::optional<size_t> payload_size;      // "payload_size": N cuts or zero-pads the payload
  int payload_length_delta = 0;  // "payload_length_delta": added to PayloadLength only
  int datagram_extra = 0;        // "datagram_extra": N > 0 appends zero bytes, N < 0 cuts bytes
  int duplicates = 0;            // "duplicates": extra copies of each datagram (true = 1)
  int delay_ms = 0;              // "delay_ms": wait before sending
};

// What a handler gets for one request: the shaping above, already applied by the core, and
// the merged JSON of the camera's behaviour for this command (for handler-specific keys such
// as a waiting time or a count of "not ready" polls).
struct CommandOptions {
  Behaviour behaviour;
  nlohmann::json json = nlohmann::json::object();
};

// Checks a camera's "behaviour" object: known keys with the right types at the top level,
// "commands" keyed by decimal command codes. Throws std::invalid_argument naming the fault.
void ValidateBehaviour(const nlohmann::json& behaviour);

// The options in force for `command`: the top-level keys overridden by commands["<command>"].
CommandOptions OptionsFor(const nlohmann::json& behaviour, uint16_t command);

}  // namespace camsim
