// The per-camera remote-access commands, all on port 62977.
#include "discovery/remote_access.h"

#include "discovery/transaction.h"
#include "landap/result_payload.h"

namespace yov {
namespace {

constexpr size_t kEnablePayload = 144;  // credentials, switch byte at 128
constexpr size_t kTextPayload = 192;    // credentials, a 64-byte text at 128
constexpr size_t kTextReply = kHeaderSize + kOstrelTextField;  // 86

// The common pattern on the remote-access port, with retries.
Transaction Ask(CLANDAPObj& camera, uint16_t command, uint16_t sequence, size_t payload_length,
                Bytes fields, size_t expected) {
  return Transact(camera, command, sequence, payload_length, fields, expected, true,
                  kRemoteAccessPort);
}

// CmdOstrelUrl and CmdOstrelGetAlias: a complete own reply with status 0 carries the text.
int AskText(CLANDAPObj& camera, uint16_t command, uint16_t sequence, std::string& text) {
  Transaction t = Ask(camera, command, sequence, kCredentialBlockSize, {}, kTextReply);
  if (!IsMatched(t, camera) || t.header().status != kStatusOk) return kOpFailed;
  text = FieldText(t.body().data(), kOstrelTextField);
  return kOpOk;
}

}  // namespace

std::optional<std::vector<uint8_t>> OstrelTextField(const std::string& text) {
  if (text.empty() || text.size() >= kOstrelTextField) return std::nullopt;
  std::vector<uint8_t> field(kOstrelTextField, 0);
  std::copy(text.begin(), text.end(), field.begin());
  return field;
}

int QueryIpEnvironment(CLANDAPObj& camera, uint16_t sequence, int& out1, int& out2) {
  Transaction t = Ask(camera, CmdOstrelIpEnvironment, sequence, kCredentialBlockSize, {},
                      kResultReplySize);
  if (!IsOwnReply(t, camera)) return YOV_E_FAILED;
  uint16_t status = t.header().status;
  if (status == kStatusAuthRefused) return YOV_E_AUTH;
  if (status != kStatusOk || !IsMatched(t, camera)) return YOV_E_FAILED;
  out1 = t.body()[1];
  out2 = t.body()[0];
  return YOV_OK;
}

int QueryProcState(CLANDAPObj& camera, uint16_t sequence, int& state, int& detail, int& extra) {
  Transaction t = Ask(camera, CmdOstrelProcState, sequence, 0, {}, kResultReplySize);
  if (t.none()) return YOV_E_NOT_FOUND;
  state = static_cast<int>(GetU32(t.body(), 0));
  detail = static_cast<int>(GetU32(t.body(), 4));
  extra = static_cast<int>(GetU32(t.body(), 8));
  return IsMatched(t, camera) && t.header().status == kStatusOk ? YOV_OK : YOV_E_FAILED;
}

int GetOstrelEnabled(CLANDAPObj& camera, uint16_t sequence, int& enabled) {
  Transaction t = Ask(camera, CmdOstrelGetEnabled, sequence, 0, {}, kResultReplySize);
  if (t.none()) return YOV_E_NOT_FOUND;
  enabled = t.body()[0];
  return IsMatched(t, camera) && t.header().status == kStatusOk ? YOV_OK : YOV_E_FAILED;
}

int EnableOstrel(CLANDAPObj& camera, uint16_t sequence, int enable) {
  uint8_t fields[kEnablePayload - kCredentialBlockSize] = {static_cast<uint8_t>(enable)};
  return camera.SetCommand(CmdOstrelEnable, sequence, kEnablePayload, fields, kRemoteAccessPort);
}

int QueryOstrelUrl(CLANDAPObj& camera, uint16_t sequence, std::string& url) {
  return AskText(camera, CmdOstrelUrl, sequence, url) == kOpOk ? YOV_OK : YOV_E_FAILED;
}

int GetOstrelAlias(CLANDAPObj& camera, uint16_t sequence, std::string& alias) {
  return AskText(camera, CmdOstrelGetAlias, sequence, alias) == kOpOk ? YOV_OK : YOV_E_FAILED;
}

int SetOstrelSubDomain(CLANDAPObj& camera, uint16_t sequence, const std::string& name) {
  auto field = OstrelTextField(name);
  if (!field) return kOpFailed;
  return camera.SetCommand(CmdOstrelSetSubDomain, sequence, kTextPayload, *field,
                           kRemoteAccessPort);
}

}  // namespace yov
