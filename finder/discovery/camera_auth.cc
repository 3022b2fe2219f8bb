// Credentials of a camera: storing them, checking them, changing the administrator password.
#include "discovery/camera_ops.h"
#include "discovery/lan_cam_finder.h"
#include "landap/result_payload.h"

namespace yov {
namespace {

constexpr size_t kVerifyReplySize = 22 + 4;
constexpr size_t kChangePasswordPayload = 256;
constexpr uint32_t kVerifyAccepted = 1, kVerifyValue2 = 2;
// A change that failed after this long may have been applied with the reply lost (the camera
// restarts its service); the new pair is then tried.
constexpr uint32_t kPasswordRecoveryMs = 10000;

}  // namespace

void CLANDAPObj::SetAuth(const std::wstring& user, const std::wstring& password) {
  CLANCamObject::SetAuth(user, password);
  credentials_ = MakeCredentialBlock(&user_, &password_);
}

int CLANDAPObj::VerifyAuth(uint16_t sequence) {
  auto reply = Command(CmdVerifyAuth, sequence, kCredentialBlockSize, {}, kVerifyReplySize, true);
  if (!reply) return kOpFailed;
  if (reply->header.status != kStatusOk)
    return reply->header.status == kStatusNoRetry ? kOpVerifyStatus4 : kOpAuthRefused;
  if (!reply->complete() || reply->header.payload_length != 4) return kOpFailed;
  uint32_t value = GetU32(reply->payload(), 0);
  if (value == kVerifyAccepted) return kOpOk;
  return value == kVerifyValue2 ? kOpVerifyValue2 : kOpAuthRefused;
}

int CLANDAPObj::ChangePassword(const std::wstring* user, const std::wstring* password,
                               uint16_t sequence) {
  CredentialBlock fresh = MakeCredentialBlock(user, password);
  if (!user || user->empty()) fresh.user = credentials_.user;
  std::array<uint8_t, kCredentialBlockBytes> fields{};
  PutCredentialBlock(fields, fresh);
  auto reply = Command(CmdChangePassword, sequence, kChangePasswordPayload, fields,
                       kResultReplySize, true);
  if (!reply) return kOpFailed;
  return DecodeSetReply(reply->header.status, reply->header.payload_length, reply->payload(),
                        result_);
}

int SetFinderCamAuth(CLANCamFinder& finder, int index, const std::wstring* user,
                     const std::wstring* password) {
  finder.SetStoredAuth(user ? *user : std::wstring(), password ? *password : std::wstring());
  return finder.manager().SetAuth(index, finder.user(), finder.password()) ? kOpOk : kOpFailed;
}

int ChangeAdminPassword(CLANCamFinder& finder, int index, const std::wstring* user,
                        const std::wstring* password) {
  CLANDAPMgr& manager = finder.manager();
  CLANDAPObj* camera = manager.LandapCamera(index);
  if (!camera) return kOpFailed;
  Env& env = manager.env();
  const uint32_t start = env.TickMs();
  int result = camera->ChangePassword(user, password, manager.NextSequence());
  if (result == kOpOk || env.TickMs() - start <= kPasswordRecoveryMs) return result;

  const bool has_user = user && !user->empty();
  camera->SetAuth(has_user ? *user : finder.user(), password ? *password : std::wstring());
  int verified = camera->VerifyAuth(manager.NextSequence());
  camera->SetAuth(finder.user(), finder.password());
  return verified == kOpOk ? kOpOk : result;
}

}  // namespace yov
