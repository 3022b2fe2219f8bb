// CmdGetOptionCmds with its own send loop, and the option-code cache.
#include <algorithm>

#include "discovery/camera_ops.h"
#include "landap/option_commands.h"

namespace yov {
namespace {

constexpr int kOptionSends = 6;

// Sends until anything arrives (or a status 4 refusal), growing the wait after each silence.
std::optional<CommandReply> AskOptionCodes(CLANDAPObj& camera, uint16_t sequence) {
  std::vector<uint8_t> request =
      camera.BuildRequest(CmdGetOptionCmds, sequence, kCredentialBlockSize, {});
  std::vector<uint8_t> reply(kOptionReplyMax, 0);
  CBCModule bc(camera.env());
  if (bc.Open(camera.interface_address(), 0, false) != 0) return std::nullopt;
  uint32_t timeout = kFirstTimeoutMs;
  int count = 0;
  for (int send = 0; send < kOptionSends; ++send) {
    bc.Send(request, 0, kLandapPort);
    count = bc.Collect(timeout, reply.data(), reply.size(), nullptr, nullptr);
    if (count > 0) break;  // a status 4 refusal has arrived too
    timeout += camera.env().Random() % 300 + 200;
  }
  bc.Close();
  return camera.AcceptReply(std::move(reply), count, sequence);
}

int AnswerFromCache(const std::vector<uint16_t>& cache, uint16_t* codes, int& count) {
  const int n = static_cast<int>(cache.size());
  if (count < n) {
    count = n;
    return kOpSmallBuffer;
  }
  std::copy(cache.begin(), cache.end(), codes);
  count = n;
  return kOpOk;
}

}  // namespace

int GetOptionCodes(CLANDAPObj& camera, uint16_t sequence, uint16_t* codes, int& count) {
  std::vector<uint16_t>& cache = camera.caches().option_codes;
  if (cache.empty()) {
    auto reply = AskOptionCodes(camera, sequence);
    if (!reply || reply->header.status != kStatusOk) return kOpFailed;
    // Only the bytes that arrived carry codes.
    size_t arrived = static_cast<size_t>(reply->count) - kHeaderSize;
    Bytes payload = reply->body().first(std::min<size_t>(reply->header.payload_length, arrived));
    for (uint16_t code : DecodeOptionCodes(payload))
      if (IsKeptOptionCode(code)) cache.push_back(code);
  }
  return AnswerFromCache(cache, codes, count);
}

}  // namespace yov
