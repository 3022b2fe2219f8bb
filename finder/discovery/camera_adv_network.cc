// CmdGetAdvNetwork (with the provider list it carries) and CmdSetAdvNetwork.
#include "api/text_codec.h"
#include "discovery/camera_ops.h"
#include "discovery/record_checks.h"
#include "landap/adv_network_payload.h"

namespace yov {
namespace {

constexpr size_t kAdvReplySize = 22 + kAdvNetworkReplySize;  // 547
constexpr size_t kSetAdvPayload = kCredentialBlockSize + kAdvNetworkBlockSize;  // 452

void CacheProviders(CLANDAPObj& camera, const AdvNetworkReply& reply) {
  ProviderCache& cache = camera.caches().providers;
  cache.text = ProviderText(reply);
  cache.names.clear();
  for (const std::string& name : SplitProviderNames(cache.text))
    cache.names.push_back(AnsiToWide(name));
  cache.filled = true;
  cache.tick = camera.env().TickMs();
}

// One CmdGetAdvNetwork; refreshes the provider cache as a side effect.
std::optional<AdvNetworkBlock> ReadAdvNetwork(CLANDAPObj& camera, uint16_t sequence) {
  auto reply = ReadCommand(camera, CmdGetAdvNetwork, sequence, kAdvReplySize, kAdvNetworkReplySize);
  auto decoded = reply ? DecodeAdvNetworkReply(reply->body()) : std::nullopt;
  if (!decoded) return std::nullopt;
  CacheProviders(camera, *decoded);
  return decoded->block;
}

}  // namespace

int GetAdvNetwork(CLANDAPObj& camera, uint16_t sequence, _YOVAdvNetwork& out,
                  unsigned long& size) {
  if (!FitsRecord<_YOVAdvNetwork>(size)) return kOpSmallBuffer;
  auto block = ReadAdvNetwork(camera, sequence);
  if (!block) return kOpFailed;
  FillAdvNetworkRecord(*block, out);
  return kOpOk;
}

int SetAdvNetwork(CLANDAPObj& camera, uint16_t sequence, const _YOVAdvNetwork& in, int size) {
  if (!IsValidSetRecord(in, size)) return kOpInvalid;
  auto fields = EncodeAdvNetworkBlock(AdvNetworkBlockFromRecord(in));
  return camera.SetCommand(CmdSetAdvNetwork, sequence, kSetAdvPayload, fields);
}

const std::vector<std::wstring>& ProviderNames(CLANDAPObj& camera, uint16_t sequence) {
  ProviderCache& cache = camera.caches().providers;
  if (!cache.filled || camera.env().TickMs() - cache.tick > kProviderCacheMs)
    ReadAdvNetwork(camera, sequence);
  return cache.names;
}

}  // namespace yov
