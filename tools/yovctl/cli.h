// Shared pieces of yovctl: options, the finder session, output and errors a user can act on.
#pragma once

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "yovfinder.h"

namespace yovctl {

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;     // the camera or the network did not do what was asked
constexpr int kExitUsage = 2;      // wrong command line
constexpr int kExitNoAdapter = 3;  // no network adapter to search on
constexpr int kExitNotFound = 4;   // no camera answered / no camera with that MAC

struct Cli {
  std::vector<std::string> args;              // positional arguments after the subcommand
  std::map<std::string, std::string> options; // --name value / --flag ("1")
  bool json = false;

  bool Has(const std::string& name) const { return options.count(name) > 0; }
  // The option's value, or the environment variable's, or `fallback`.
  std::string Value(const std::string& name, const char* env = nullptr,
                    const std::string& fallback = "") const;
};

// Owns a finder handle for the length of one command.
class Finder {
 public:
  Finder() : handle_(YOVCreateFinder(0)) {}
  ~Finder() { YOVDestroyFinder(handle_); }
  Finder(const Finder&) = delete;
  Finder& operator=(const Finder&) = delete;
  YOVFinderHandle get() const { return handle_; }

 private:
  YOVFinderHandle handle_;
};

std::optional<std::array<uint8_t, 6>> ParseMac(const std::string& text);
std::string MacText(const uint8_t* mac);

// Fails with a message on standard error; returns `code` so callers can `return Fail(...)`.
int Fail(int code, const std::string& message);

// True when at least one adapter would be searched; otherwise prints why.
bool CheckAdapters();

// Searches, then finds the camera with `mac_text`; on failure prints why and returns -1 with
// `exit_code` set.
int FindCamera(Finder& finder, const std::string& mac_text, int& exit_code);

// FindCamera, then stores the credentials of --user/--password (or YOV_USER/YOV_PASSWORD;
// "admin" and "" by default) for the camera's later commands.
int OpenCamera(Finder& finder, const Cli& cli, const std::string& mac_text, int& exit_code);

// Checks that there are `count` arguments, opens the camera named by argument `mac_at`, then
// returns op(finder, index); prints `usage` for a wrong count.
template <typename Op>
int WithCamera(Cli& cli, const std::string& usage, size_t count, Op&& op, size_t mac_at = 0) {
  if (cli.args.size() != count) return Fail(kExitUsage, "usage: yovctl " + usage);
  Finder finder;
  int exit_code = kExitOk;
  int index = OpenCamera(finder, cli, cli.args[mac_at], exit_code);
  if (index < 0) return exit_code;
  return op(finder, index);
}

// The text of a fixed record field, up to its first NUL.
inline std::string TextOf(const char* field, size_t n) { return std::string(field, strnlen(field, n)); }

// Copies `text` into a fixed record field; false when it does not fit with its terminator.
template <size_t N>
bool PutField(char (&field)[N], const std::string& text) {
  if (text.size() >= N) return false;
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
  return true;
}

// Camera `index`'s version-1 record, refreshed from the camera or as the search left it.
bool ReadRecord(Finder& finder, int index, bool refresh, _YOVCamSettings& record);

// The version-1 record of camera `index` as JSON (no refresh).
nlohmann::json CameraJson(const _YOVCamSettings& record);

void PrintJson(const nlohmann::json& value);
// With --json the object as JSON, otherwise one "key: value" line per member.
void PrintResult(const Cli& cli, const nlohmann::json& object);

using CommandFn = int (*)(Cli&);
struct Command {
  const char* name;
  const char* usage;
  const char* summary;
  CommandFn run;
};

}  // namespace yovctl
