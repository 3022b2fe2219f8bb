// CmdGetDatetime and CmdSetDatetime.
#include "discovery/camera_ops.h"
#include "discovery/record_checks.h"
#include "landap/datetime_payload.h"

namespace yov {
namespace {

constexpr size_t kDatetimeReplySize = 22 + kDatetimeBlockSize;  // 122
constexpr size_t kSetDatetimePayload = kCredentialBlockSize + kDatetimeBlockSize;  // 228

}  // namespace

int GetCameraDatetime(CLANDAPObj& camera, uint16_t sequence, _YOVCamDatetime& out,
                      unsigned long& size) {
  if (!FitsRecord<_YOVCamDatetime>(size)) return kOpSmallBuffer;
  auto reply = ReadCommand(camera, CmdGetDatetime, sequence, kDatetimeReplySize);
  auto block = reply ? DecodeDatetimeBlock(reply->body()) : std::nullopt;
  if (!block) return kOpFailed;
  FillDatetimeRecord(*block, out);
  return kOpOk;
}

int SetCameraDatetime(CLANDAPObj& camera, uint16_t sequence, const _YOVCamDatetime& in) {
  if (!HasRecordHead(in)) return kOpInvalid;
  auto fields = EncodeDatetimeBlock(DatetimeBlockFromRecord(in));
  return camera.SetCommand(CmdSetDatetime, sequence, kSetDatetimePayload, fields);
}

}  // namespace yov
