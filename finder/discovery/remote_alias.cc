// The alias change of the remote-access service: set, then poll until it has ended.
#include "discovery/poll_loop.h"
#include "discovery/remote_access.h"
#include "discovery/transaction.h"
#include "landap/result_payload.h"

namespace yov {
namespace {

constexpr size_t kSetAliasPayload = 192;     // credentials, the alias at 128
constexpr size_t kAliasResultPayload = 132;  // credentials, the session number at 128
constexpr uint32_t kAliasInProgress = 2;     // payload word 1 of a poll
constexpr uint32_t kAliasRefused = 2;        // payload word 0 of a poll
constexpr int kResultRefusedAlias = 5;       // internal: the camera refused the alias itself

// One CmdOstrelAliasResult, evaluated: in progress, or ended with 0, 1, 2, refused or -1.
PollStep AskAliasResult(CLANDAPMgr& manager, CLANDAPObj& camera) {
  uint32_t& session = camera.sessions().alias_session;
  if (session == 0) return {false, kOpFailed};
  uint8_t number[4];
  PutU32(number, 0, session);
  Transaction t = Transact(camera, CmdOstrelAliasResult, manager.NextSequence(),
                           kAliasResultPayload, number, kResultReplySize, true, kRemoteAccessPort);
  if (!IsMatched(t, camera) || t.header().payload_length != kResultPayloadSize)
    return {false, kOpFailed};
  LandapHeader h = t.header();
  _YOVFinderResult triple{};
  int decoded = DecodeSetReply(h.status, h.payload_length, t.body(), triple);
  uint32_t word0 = GetU32(t.body(), 0), word1 = GetU32(t.body(), 4);
  if (decoded == kOpOk && word0 == 0) {
    if (word1 == kAliasInProgress) return {true};
    if (word1 == 0) {
      session = 0;
      return {false, kOpOk};
    }
  }
  session = 0;
  return {false, word0 == kAliasRefused ? kResultRefusedAlias : decoded};
}

int AliasExportCode(int result) {
  switch (result) {
    case kOpOk: return YOV_OK;
    case kOpAuthRefused: return YOV_E_AUTH;
    case kResultRefusedAlias: return YOV_E_BUSY;  // -5: the alias was refused
    default: return YOV_E_FAILED;
  }
}

// Polls while the change is in progress, 100 ms apart, at most kAliasPollLimit times.
int PollAlias(CLANDAPMgr& manager, CLANDAPObj& camera) {
  for (int poll = 0; poll < kAliasPollLimit; ++poll) {
    if (poll > 0) camera.env().SleepMs(kAliasPollPauseMs);
    PollStep step = AskAliasResult(manager, camera);
    if (!step.not_ready) return step.result;
  }
  return kOpFailed;
}

}  // namespace

int SetOstrelAlias(CLANDAPMgr& manager, CLANDAPObj& camera, const std::string& alias) {
  auto field = OstrelTextField(alias);
  if (!field) return YOV_E_FAILED;
  auto reply = camera.Command(CmdOstrelSetAlias, manager.NextSequence(), kSetAliasPayload, *field,
                              kResultReplySize, true, kRemoteAccessPort);
  if (!reply || !reply->complete()) return YOV_E_FAILED;
  _YOVFinderResult triple{};
  int r = DecodeSetReply(reply->header.status, reply->header.payload_length, reply->payload(),
                         triple);
  if (r != kOpOk) return AliasExportCode(r);
  camera.sessions().alias_session = GetU32(reply->body(), 4);
  return AliasExportCode(PollAlias(manager, camera));
}

}  // namespace yov
