// Helpers shared by the handler families of the per-camera commands: the credential gate,
// refusals, the result payload and the state kept in camera.extra.
//
// Options a camera's behaviour may give for any of these commands (under "commands": {"<code>":
// {...}} for one command only): "wait_ms", "result_value" and "error_value" fill the result
// payload; "short_result": true answers with the 4-byte form (the error value of a refusal or
// the result value); a forced non-zero "status" (core key) is a refusal, and the camera then
// keeps its state. "ignore_credentials": true accepts any credentials.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "behaviour.h"
#include "camera.h"
#include "landap/text_field.h"
#include "request.h"

namespace camsim {

// The request's fields after the credential block, zero padded to `size` bytes.
std::vector<uint8_t> Fields(const Request& request, size_t size);

// nullopt when the request may go on; otherwise the refusal to send: status 2 for credentials
// that are not the camera's, or while a first password change is pending ("first_password_
// change": true in the camera's JSON) for anything but the change itself.
std::optional<Answer> CheckAccess(const Camera& camera, const Request& request,
                                  const CommandOptions& options);
// Whether the credential block carries the camera's user name and password.
bool CredentialsMatch(const Camera& camera, const Request& request);

// True when the behaviour forces a non-zero status: the command is refused.
bool Refusing(const CommandOptions& options);
// The result payload of a set-type command (see the file comment).
Answer ResultAnswer(const CommandOptions& options);
// The set-type pattern: access gate, `apply` unless refused, result payload.
template <typename Apply>
std::vector<Answer> SetCommand(Camera& camera, const Request& request,
                               const CommandOptions& options, Apply&& apply) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  if (!Refusing(options)) apply();
  return {ResultAnswer(options)};
}
// The get pattern: access gate, then the payload.
std::vector<Answer> GetAnswer(const Camera& camera, const Request& request,
                              const CommandOptions& options, std::vector<uint8_t> payload);

// extra[key] as an object (created when missing).
nlohmann::json& StateOf(Camera& camera, const char* key);
// Adds one to the counter extra[key].
void Count(Camera& camera, const char* key);

// Text fields to and from JSON strings.
template <size_t N>
std::string TextOf(const yov::Text<N>& t) {
  return yov::FieldText(t.data(), N);
}
template <size_t N>
yov::Text<N> TextFrom(const nlohmann::json& j, const char* key) {
  return yov::MakeText<N>(j.value(key, std::string()));
}

}  // namespace camsim
