// Reading the "behaviour" object of a camera into reply-shaping options.
#include "behaviour.h"

#include <set>
#include <stdexcept>
#include <string>

#include "landap/landap_header.h"
#include "wire_text.h"

namespace camsim {
namespace {

using nlohmann::json;

const std::set<std::string>& CoreKeys() {
  static const std::set<std::string> keys = {
      "silent",        "only_marker0",   "reply_broadcast", "magic",
      "wrong_magic",   "sequence_offset", "wrong_sequence", "command",
      "wrong_command", "status",          "header_version", "payload_hex",
      "payload_size",  "payload_length_delta", "datagram_extra", "duplicates",
      "delay_ms"};
  return keys;
}

bool Flag(const json& j, const char* key) {
  if (!j.contains(key)) return false;
  if (!j[key].is_boolean()) throw std::invalid_argument(std::string(key) + " must be true or false");
  return j[key].get<bool>();
}

template <typename T>
std::optional<T> Number(const json& j, const char* key, long long lo, long long hi) {
  if (!j.contains(key) || j[key].is_null()) return std::nullopt;
  if (!j[key].is_number_integer()) throw std::invalid_argument(std::string(key) + " must be an integer");
  long long v = j[key].get<long long>();
  if (v < lo || v > hi)
    throw std::invalid_argument(std::string(key) + " out of range: " + std::to_string(v));
  return static_cast<T>(v);
}

int Count(const json& j, const char* key) {
  if (j.contains(key) && j[key].is_boolean()) return j[key].get<bool>() ? 1 : 0;
  return Number<int>(j, key, 0, 100).value_or(0);
}

Behaviour Parse(const json& j) {
  Behaviour b;
  b.silent = Flag(j, "silent");
  b.only_marker0 = Flag(j, "only_marker0");
  b.reply_broadcast = Flag(j, "reply_broadcast");
  b.magic = Number<uint16_t>(j, "magic", 0, 0xFFFF);
  if (Flag(j, "wrong_magic")) b.magic = yov::kRequestMagic;
  b.sequence_offset = Number<int>(j, "sequence_offset", -65535, 65535).value_or(0);
  if (Flag(j, "wrong_sequence")) b.sequence_offset = 1;
  b.command = Number<uint16_t>(j, "command", 0, 0xFFFF);
  b.wrong_command = Flag(j, "wrong_command");
  b.status = Number<uint16_t>(j, "status", 0, 0xFFFF);
  b.header_version = Number<uint16_t>(j, "header_version", 0, 0xFFFF);
  if (j.contains("payload_hex") && !j["payload_hex"].is_null()) {
    auto bytes = j["payload_hex"].is_string() ? ParseHex(j["payload_hex"].get<std::string>())
                                              : std::nullopt;
    if (!bytes) throw std::invalid_argument("payload_hex must be a string of hex digit pairs");
    b.payload = std::move(*bytes);
  }
  b.payload_size = Number<size_t>(j, "payload_size", 0, 65000);
  b.payload_length_delta = Number<int>(j, "payload_length_delta", -65535, 65535).value_or(0);
  b.datagram_extra = Number<int>(j, "datagram_extra", -65535, 65000).value_or(0);
  b.duplicates = Count(j, "duplicates");
  b.delay_ms = Number<int>(j, "delay_ms", 0, 600000).value_or(0);
  return b;
}

json Merged(const json& behaviour, uint16_t command) {
  json merged = json::object();
  if (!behaviour.is_object()) return merged;
  for (auto it = behaviour.begin(); it != behaviour.end(); ++it)
    if (it.key() != "commands") merged[it.key()] = it.value();
  auto commands = behaviour.find("commands");
  if (commands != behaviour.end()) {
    auto own = commands->find(std::to_string(command));
    if (own != commands->end()) merged.merge_patch(*own);
  }
  return merged;
}

}  // namespace

void ValidateBehaviour(const json& behaviour) {
  if (behaviour.is_null()) return;
  if (!behaviour.is_object()) throw std::invalid_argument("behaviour must be an object");
  for (auto it = behaviour.begin(); it != behaviour.end(); ++it)
    if (it.key() != "commands" && !CoreKeys().count(it.key()))
      throw std::invalid_argument("unknown behaviour key: " + it.key());
  Parse(behaviour);
  if (!behaviour.contains("commands")) return;
  const json& commands = behaviour["commands"];
  if (!commands.is_object()) throw std::invalid_argument("behaviour.commands must be an object");
  for (auto it = commands.begin(); it != commands.end(); ++it) {
    size_t used = 0;
    unsigned long code = 0;
    try {
      code = std::stoul(it.key(), &used);
    } catch (const std::exception&) {
    }
    if (used == 0 || used != it.key().size() || code > 0xFFFF)
      throw std::invalid_argument("behaviour.commands keys are decimal command codes: " + it.key());
    if (!it.value().is_object())
      throw std::invalid_argument("behaviour.commands." + it.key() + " must be an object");
    Parse(Merged(behaviour, static_cast<uint16_t>(code)));
  }
}

CommandOptions OptionsFor(const json& behaviour, uint16_t command) {
  CommandOptions options;
  options.json = Merged(behaviour, command);
  options.behaviour = Parse(options.json);
  return options;
}

}  // namespace camsim
