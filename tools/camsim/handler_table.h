// The command dispatch table: which handler answers which LANDAP command.
//
// How to add commands: create tools/camsim/handlers_<family>.cc (CMake picks it up) and, at
// namespace scope in it, register one HandlerSpec per command:
//
//   const camsim::RegisterHandler kGetDatetime{{yov::CmdGetDatetime, yov::kLandapPort,
//                                               /*broadcast=*/false, &GetDatetime}};
//
// A handler receives the addressed camera (it may change its state), the request and the
// camera's options for this command, and returns the reply datagrams (status and payload
// each; empty for no reply). The core has already dropped requests of silent cameras and
// shapes every datagram afterwards (magic, sequence, status override, sizes, duplicates, delay,
// broadcast), so a handler only implements the camera's normal answer, plus any
// command-specific keys it reads from options.json (for example "wait_ms" or
// "not_ready_polls"; keep such counters in camera.extra).
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "behaviour.h"
#include "camera.h"
#include "request.h"

namespace camsim {

using Handler =
    std::function<std::vector<Answer>(Camera&, const Request&, const CommandOptions&)>;

struct HandlerSpec {
  uint16_t command = 0;
  uint16_t port = yov::kLandapPort;  // requests for this command arrive on this port
  bool broadcast = false;            // every camera answers when TargetMac is FF:FF:FF:FF:FF:FF
  Handler handle;
};

class HandlerTable {
 public:
  static HandlerTable& Instance();
  // Later registrations of the same command replace earlier ones.
  void Add(HandlerSpec spec);
  const HandlerSpec* Find(uint16_t command) const;  // nullptr when none is registered
  std::vector<uint16_t> Commands() const;

 private:
  std::map<uint16_t, HandlerSpec> specs_;
};

// Registers a spec while static objects are constructed (see the file comment).
struct RegisterHandler {
  explicit RegisterHandler(HandlerSpec spec) { HandlerTable::Instance().Add(std::move(spec)); }
};

}  // namespace camsim
