// Control operations: read the logs and camera states, change cameras at run time.
#include "control_ops.h"

#include <stdexcept>

#include "handler_table.h"
#include "wire_text.h"

namespace camsim {
namespace {

using nlohmann::json;

json Ok() { return {{"ok", true}}; }
json Error(const std::string& text) { return {{"ok", false}, {"error", text}}; }

json Filtered(const json& records, const json& request) {
  if (!request.contains("command")) return records;
  json out = json::array();
  for (const json& r : records)
    if (r.contains("command") && r["command"] == request["command"]) out.push_back(r);
  return out;
}

yov::Mac RequireMac(const json& request) {
  auto mac = request.contains("mac") && request["mac"].is_string()
                 ? ParseMac(request["mac"].get<std::string>())
                 : std::nullopt;
  if (!mac) throw std::invalid_argument("\"mac\" is required, as \"00:11:22:33:44:55\"");
  return *mac;
}

Camera& RequireCamera(Simulator& sim, const json& request) {
  Camera* camera = sim.Find(RequireMac(request));
  if (!camera) throw std::invalid_argument("no camera " + request["mac"].get<std::string>());
  return *camera;
}

json State(Simulator& sim, const json& request) {
  json reply = Ok();
  if (request.contains("mac")) {
    reply["camera"] = CameraToJson(RequireCamera(sim, request));
  } else {
    reply["cameras"] = json::array();
    for (const Camera& c : sim.cameras()) reply["cameras"].push_back(CameraToJson(c));
  }
  return reply;
}

json Set(Simulator& sim, const json& request) {
  if (!request.contains("patch")) throw std::invalid_argument("\"patch\" is required");
  const json& patch = request["patch"];
  if (request.value("mac", "") != "*") {
    PatchCamera(RequireCamera(sim, request), patch);
    return Ok();
  }
  std::vector<Camera> changed = sim.cameras();  // all or nothing
  for (Camera& c : changed) PatchCamera(c, patch);
  sim.cameras() = std::move(changed);
  return Ok();
}

json Dispatch(Simulator& sim, const json& request, bool& quit) {
  std::string op = request.value("op", "");
  if (op == "ping") return {{"ok", true}, {"cameras", sim.cameras().size()}};
  if (op == "received") return {{"ok", true}, {"received", Filtered(sim.log().received(), request)}};
  if (op == "sent") return {{"ok", true}, {"sent", Filtered(sim.log().sent(), request)}};
  if (op == "clear") {
    sim.log().Clear();
    return Ok();
  }
  if (op == "state") return State(sim, request);
  if (op == "set") return Set(sim, request);
  if (op == "add") {
    sim.AddCamera(CameraFromJson(request.value("camera", json())));
    return Ok();
  }
  if (op == "remove") {
    if (!sim.RemoveCamera(RequireMac(request))) return Error("no such camera");
    return Ok();
  }
  if (op == "commands") return {{"ok", true}, {"commands", HandlerTable::Instance().Commands()}};
  if (op == "quit") {
    quit = true;
    return Ok();
  }
  return Error("unknown op \"" + op + "\"");
}

}  // namespace

json HandleControl(Simulator& sim, const json& request, bool& quit) {
  try {
    return Dispatch(sim, request, quit);
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

}  // namespace camsim
