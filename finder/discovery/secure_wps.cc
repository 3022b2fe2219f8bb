// The secure WPS exchange: public values and the shared secret through the scrambling.
#include <algorithm>

#include "discovery/camera_wps.h"
#include "discovery/poll_loop.h"
#include "discovery/transaction.h"
#include "landap/result_payload.h"
#include "security/scrambling.h"
#include "security/wps_pin.h"

namespace yov {
namespace {

constexpr size_t kCapabilityReplySize = kHeaderSize + 4;
constexpr size_t kKeyStartPayload = 332;     // credentials, mode at 128, key at 132, PIN at 324
constexpr size_t kCameraKeyPayload = 196;    // 4 unused bytes, then the camera's key
constexpr size_t kSendSecretPayload = 324;   // credentials, secret at 132
constexpr size_t kFieldKeyAt = 4;            // offset of the key within the fields behind 128
constexpr size_t kFieldPinAt = kFieldKeyAt + kDhFieldSize;

// Wire mode of command 179: 2 for PIN, 1 for push button (the reverse of the exported values).
uint8_t WireMode(int mode) { return mode == kWpsModePin ? 2 : 1; }

// CmdWirelessStatus as the WPS capability query: -1, -8, or 0 when `mode` is offered.
int CheckCapability(CLANDAPObj& camera, uint16_t sequence, int mode) {
  auto reply = camera.Command(CmdWirelessStatus, sequence, kCredentialBlockSize, {},
                              kCapabilityReplySize, false);
  if (!reply || !reply->complete() || reply->header.status != kStatusOk ||
      reply->header.payload_length != 4)
    return kOpFailed;
  Bytes caps = reply->payload();
  bool offered = mode == kWpsModePin ? caps[1] != 0 : caps[0] != 0;
  return offered ? kOpOk : kOpModeUnsupported;
}

// A 38-byte result reply of commands 179 and 181: -1 unless complete with a 16-byte payload,
// else the set-type decoding (not kept: the WPS export has no result record).
int DecodeResultReply(const std::optional<CommandReply>& reply) {
  if (!reply || !reply->complete() || reply->header.payload_length != kResultPayloadSize)
    return kOpFailed;
  _YOVFinderResult triple{};
  return DecodeSetReply(reply->header.status, reply->header.payload_length, reply->payload(),
                        triple);
}

// The set-type decoding of a reply that is not kept in the camera's triple.
int DecodeStatus(const Transaction& t) {
  LandapHeader h = t.header();
  _YOVFinderResult triple{};
  return DecodeSetReply(h.status, h.payload_length, t.body(), triple);
}

int SendKeyStart(CLANDAPMgr& manager, CLANDAPObj& camera, int mode) {
  SecureWpsKeys& keys = camera.sessions().keys;
  std::vector<uint8_t> fields(kKeyStartPayload - kCredentialBlockSize, 0);
  fields[0] = WireMode(mode);
  keys.own_public.fill(0);
  GenerateDHPublicKey(keys.own_public, keys.dhkey_len);
  std::copy_n(keys.own_public.begin(), kDhFieldSize, fields.begin() + kFieldKeyAt);
  if (mode == kWpsModePin) {
    char pin[kWpsPinLength] = {};
    GenerateWpsPin(pin, sizeof pin);
    std::copy_n(pin, kWpsPinLength, fields.begin() + kFieldPinAt);
  }
  Scramble(MutableBytes(fields).subspan(kFieldKeyAt, kDhFieldSize + kWpsPinLength));
  auto reply = camera.Command(CmdWpsKeyStart, manager.NextSequence(), kKeyStartPayload, fields,
                              kResultReplySize, false);
  return DecodeResultReply(reply);
}

// One CmdWpsGetCameraKey; with the camera's key computes the shared secret.
PollStep AskCameraKey(CLANDAPMgr& manager, CLANDAPObj& camera) {
  Transaction t = Transact(camera, CmdWpsGetCameraKey, manager.NextSequence(),
                           kCredentialBlockSize, {}, kHeaderSize + kCameraKeyPayload, false,
                           kLandapPort);
  if (t.none()) return {true};
  if (!IsMatched(t, camera) || t.header().payload_length != kCameraKeyPayload)
    return {false, kOpFailed};
  LandapHeader h = t.header();
  if (h.status == kStatusNotReady) return {true};
  if (h.status != kStatusOk) return {false, DecodeStatus(t)};
  SecureWpsKeys& keys = camera.sessions().keys;
  std::vector<uint8_t> camera_key(t.body().begin() + kFieldKeyAt,
                                  t.body().begin() + kFieldKeyAt + kDhFieldSize);
  Unscramble(camera_key);
  keys.secret.fill(0);
  // The camera's value is read with the length of our own public value.
  size_t n = std::min<size_t>(static_cast<size_t>(std::max(keys.dhkey_len, 0)), kDhFieldSize);
  GenerateDHSecreteKey(Bytes(camera_key.data(), n), keys.secret, keys.secret_len);
  return {false, kOpOk};
}

int SendSecret(CLANDAPMgr& manager, CLANDAPObj& camera) {
  std::vector<uint8_t> fields(kSendSecretPayload - kCredentialBlockSize, 0);
  const SecureWpsKeys& keys = camera.sessions().keys;
  std::copy_n(keys.secret.begin(), kDhFieldSize, fields.begin() + kFieldKeyAt);
  Scramble(MutableBytes(fields).subspan(kFieldKeyAt, kDhFieldSize));
  auto reply = camera.Command(CmdWpsSendSecret, manager.NextSequence(), kSendSecretPayload,
                              fields, kResultReplySize, false);
  return DecodeResultReply(reply);
}

// One CmdWpsKeyResult: status 0 is success, 257 (or silence) not ready.
PollStep AskKeyResult(CLANDAPMgr& manager, CLANDAPObj& camera) {
  Transaction t = Transact(camera, CmdWpsKeyResult, manager.NextSequence(), kCredentialBlockSize,
                           {}, kResultReplySize, false, kLandapPort);
  if (t.none()) return {true};
  if (!IsMatched(t, camera) || t.header().payload_length != kResultPayloadSize)
    return {false, kOpFailed};
  LandapHeader h = t.header();
  if (h.status == kStatusNotReady) return {true};
  if (h.status == kStatusOk) return {false, kOpOk};
  return {false, DecodeStatus(t)};
}

// Both polls share one budget counted from the start of the exchange.
template <typename Ask>
int Poll(Env& env, uint32_t start, Ask&& ask) {
  return PollUntilReady(env, start, kWpsBudgetMs, kWpsPollPauseMs, ask);
}

}  // namespace

int SecureWps(CLANDAPMgr& manager, CLANDAPObj& camera, int mode) {
  int r = CheckCapability(camera, manager.NextSequence(), mode);
  if (r != kOpOk) return r;
  Env& env = camera.env();
  const uint32_t start = env.TickMs();
  if ((r = SendKeyStart(manager, camera, mode)) != kOpOk) return r;
  r = Poll(env, start, [&] { return AskCameraKey(manager, camera); });
  if (r != kOpOk) return r;
  if ((r = SendSecret(manager, camera)) != kOpOk) return r;
  return Poll(env, start, [&] { return AskKeyResult(manager, camera); });
}

}  // namespace yov
