// CLANCamObject and CLANDAPObj: one camera of the list, its caches and its exchanges.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "discovery/camera_caches.h"
#include "discovery/camera_sessions.h"
#include "landap/camera_info_payload.h"
#include "landap/env.h"
#include "landap/exchange.h"
#include "security/credentials.h"
#include "yovfinder.h"

namespace yov {

// Internal results of camera operations (the exports map them to YOV_E* codes).
enum OpResult : int {
  kOpOk = 0,
  kOpFailed = -1,
  kOpRefused = 1,
  kOpAuthRefused = 2,
  kOpVerifyStatus4 = 3,  // CmdVerifyAuth answered with status 4
  kOpInvalid = -3,
  kOpSmallBuffer = -6,
  kOpNotReady = -7,
  kOpModeUnsupported = -8,
  kOpTimedOut = -9,
  kOpVerifyValue2 = -10,
};

// The cached address settings of a camera.
struct CameraNetwork {
  bool dhcp = false;
  Ipv4 address = 0, mask = 0, gateway = 0, dns1 = 0, dns2 = 0;
};

class CLANCamObject {
 public:
  explicit CLANCamObject(Env& env) : env_(env) {}
  virtual ~CLANCamObject() = default;

  virtual bool Init(Bytes payload, const Mac& mac, Ipv4 interface_address);
  virtual bool Refresh(uint16_t sequence);
  virtual bool GetNetwork(CameraNetwork& out) const;
  virtual int SetNetwork(const CameraNetwork& in, uint16_t sequence);
  virtual void SetAuth(const std::wstring& user, const std::wstring& password);
  virtual int VerifyAuth(uint16_t) { return kOpFailed; }
  virtual int ChangePassword(const std::wstring*, const std::wstring*, uint16_t) {
    return kOpFailed;
  }

  Env& env() const { return env_; }
  bool valid() const { return valid_; }
  const Mac& mac() const { return mac_; }
  Ipv4 interface_address() const { return interface_address_; }
  Ipv4 camera_address() const { return camera_address_; }
  const _YOVFinderResult& result() const { return result_; }
  void ClearResult() { result_ = {}; }
  const std::wstring& user() const { return user_; }
  const std::wstring& password() const { return password_; }

 protected:
  Env& env_;
  int protocol_ = 1;
  _YOVFinderResult result_{};
  Ipv4 interface_address_ = 0;
  Mac mac_{};
  Ipv4 camera_address_ = 0;
  std::wstring user_, password_;
  bool valid_ = false;
  CameraNetwork network_;
  uint32_t updated_tick_ = 0;
  bool network_changed_ = false;
};

// A reply that passed the common checks (request's Sequence, camera's MAC).
struct CommandReply {
  std::vector<uint8_t> datagram;  // the expected size, zero padded behind what arrived
  int count = 0;                  // bytes that arrived
  LandapHeader header;
  // The payload as far as it lies inside the expected size.
  Bytes payload() const {
    size_t n = std::min<size_t>(header.payload_length, datagram.size() - kHeaderSize);
    return Bytes(datagram).subspan(kHeaderSize, n);
  }
  // Everything behind the header within the expected size, whatever PayloadLength says.
  Bytes body() const { return Bytes(datagram).subspan(kHeaderSize); }
  bool complete() const { return count == static_cast<int>(datagram.size()); }
};

class CLANDAPObj : public CLANCamObject {
 public:
  explicit CLANDAPObj(Env& env);

  // Accepts a 312-byte camera-information or a 304-byte remote-access payload.
  bool Init(Bytes payload, const Mac& mac, Ipv4 interface_address) override;
  // Re-reads the camera information (CmdSearch to the camera's MAC), trying the other
  // adapters when the camera no longer answers on its own.
  bool Refresh(uint16_t sequence) override;

  // Sends the address settings in CmdSetCameraInfo (name, port and flags zero).
  int SetNetwork(const CameraNetwork& in, uint16_t sequence) override;
  // Stores the pair and encodes it into the credential block sent with every request.
  void SetAuth(const std::wstring& user, const std::wstring& password) override;
  // CmdVerifyAuth: 0 accepted, 2 refused, 3 status 4, -10 value 2, -1 no valid reply.
  int VerifyAuth(uint16_t sequence) override;
  // CmdChangePassword with the new pair (nullptr or empty user: the current user field);
  // decoded as a set-type command into the result triple.
  int ChangePassword(const std::wstring* user, const std::wstring* password,
                     uint16_t sequence) override;

  const std::optional<CameraInfo>& info() const { return info_; }
  const std::optional<RemoteInfo>& remote_info() const { return remote_info_; }

  // The common request pattern: header to this camera, credential block, `fields` at payload
  // offset 128. Runs the exchange and checks Sequence and TargetMac; nullopt (-1) when
  // nothing arrived or the reply is not this request's.
  std::optional<CommandReply> Command(uint16_t command, uint16_t sequence,
                                              size_t payload_length, Bytes fields,
                                              size_t expected, bool retry,
                                              uint16_t port = kLandapPort);
  // The same exchange tried from every adapter (the association-state query).
  std::optional<CommandReply> CommandOnAllAdapters(uint16_t command, uint16_t sequence,
                                                   size_t payload_length, Bytes fields,
                                                   size_t expected);
  // A set-type command: the common pattern with retries and a 38-byte reply, whose status and
  // result payload are decoded into the result triple. 0, 1 refused, 2 credentials refused,
  // -1 no valid reply. The remote-access family goes to port 62977.
  int SetCommand(uint16_t command, uint16_t sequence, size_t payload_length, Bytes fields,
                 uint16_t port = kLandapPort);
  // The request datagram of the common pattern (for operations with their own send loops).
  std::vector<uint8_t> BuildRequest(uint16_t command, uint16_t sequence, size_t payload_length,
                                    Bytes fields) const;
  // A received datagram checked for this request's Sequence and this camera's MAC.
  std::optional<CommandReply> AcceptReply(std::vector<uint8_t> datagram, int count,
                                          uint16_t sequence) const;

  const CredentialBlock& credentials() const { return credentials_; }
  CameraCaches& caches() { return caches_; }
  CameraSessions& sessions() { return sessions_; }

 protected:
  CredentialBlock credentials_;  // user and password fields as sent

 private:
  bool TakeRefreshReply(Bytes reply, uint16_t sequence);
  std::optional<std::vector<uint8_t>> RefreshOnAdapter(Ipv4 address, uint16_t sequence,
                                                       bool marked_round);
  void CacheInfo(const CameraInfo& info);

  std::optional<CameraInfo> info_;
  std::optional<RemoteInfo> remote_info_;
  CameraCaches caches_;
  CameraSessions sessions_;  // WPS keys and sessions, the alias session
};

}  // namespace yov
