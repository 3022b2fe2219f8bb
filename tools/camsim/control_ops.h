// The operations of the control socket.
#pragma once

#include <nlohmann/json.hpp>

#include "simulator.h"

namespace camsim {

// Answers one control request; every reply has "ok" (and "error" when it is false).
//   {"op":"ping"}                              -> {"ok":true,"cameras":N}
//   {"op":"received"} / {"op":"sent"}          -> {"ok":true,"received"|"sent":[records]}
//     optional "command": N keeps only that command's records
//   {"op":"clear"}                             -> forget both logs
//   {"op":"state"[,"mac":"..."]}               -> {"ok":true,"camera":{...}} or "cameras":[...]
//   {"op":"set","mac":"..."|"*","patch":{...}} -> merge-patch one camera (or all)
//   {"op":"add","camera":{...}} / {"op":"remove","mac":"..."}
//   {"op":"commands"}                          -> the command codes with a handler
//   {"op":"quit"}                              -> sets `quit`
nlohmann::json HandleControl(Simulator& sim, const nlohmann::json& request, bool& quit);

}  // namespace camsim
