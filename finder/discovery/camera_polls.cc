// The camera's side of a network change: CmdNetworkStatus and the two PPPoE polls.
#include "discovery/camera_ops.h"
#include "discovery/host_helpers.h"
#include "discovery/poll_loop.h"
#include "discovery/transaction.h"
#include "landap/network_status_payload.h"
#include "landap/result_payload.h"

namespace yov {
namespace {

constexpr size_t kNetworkStatusReply = kHeaderSize + kNetworkStatusSize;  // 42

// One PPPoE query: silence and status 257 are "not ready"; the answer is payload byte 0.
PollStep AskPppoe(CLANDAPMgr& manager, CLANDAPObj& camera, uint16_t command, int& out) {
  Transaction t = Transact(camera, command, manager.NextSequence(), kCredentialBlockSize, {},
                           kResultReplySize, true, kRemoteAccessPort);
  if (t.none()) return {true};
  if (!IsOwnReply(t, camera)) return {false, kOpFailed};
  LandapHeader h = t.header();
  if (h.status == kStatusNotReady) return {true};
  if (h.status != kStatusOk || h.payload_length != kResultPayloadSize || !IsMatched(t, camera))
    return {false, kOpFailed};
  out = t.body()[0];
  return {false, kOpOk};
}

}  // namespace

int QueryNetworkStatus(CLANDAPObj& camera, uint16_t sequence, _YOVCamNetworkStatus& out) {
  auto reply = ReadCommand(camera, CmdNetworkStatus, sequence, kNetworkStatusReply, std::nullopt);
  if (!reply) return kOpFailed;
  FillNetworkStatusRecord(*DecodeNetworkStatus(reply->body()), out);
  return kOpOk;
}

int QueryPppoe(CLANDAPMgr& manager, CLANDAPObj& camera, uint16_t command, int& out) {
  Env& env = camera.env();
  return PollUntilReady(env, env.TickMs(), kPppoeBudgetMs, kPppoePollPauseMs,
                        [&] { return AskPppoe(manager, camera, command, out); });
}

}  // namespace yov
