// Camera object: initialisation from a search reply, refresh, cached address settings.
#include "discovery/lan_cam_object.h"

#include <algorithm>

namespace yov {
namespace {

constexpr size_t kRefreshReplySize = kHeaderSize + kCameraInfoSize;  // 334
constexpr int kSendsPerRound = 4;

CameraNetwork NetworkOf(const CameraInfo& info) {
  const CameraSettingsBlock& s = info.settings;
  return {s.dhcp != 0, s.ip_address, s.subnet_mask, s.gateway, s.primary_dns, s.secondary_dns};
}

}  // namespace

bool CLANCamObject::Init(Bytes, const Mac& mac, Ipv4 interface_address) {
  mac_ = mac;
  interface_address_ = interface_address;
  network_ = {};
  valid_ = true;
  updated_tick_ = env_.TickMs();
  return true;
}

bool CLANCamObject::Refresh(uint16_t) {
  updated_tick_ = env_.TickMs();
  return true;
}

bool CLANCamObject::GetNetwork(CameraNetwork& out) const {
  if (!valid_) return false;
  out = network_;
  return true;
}

int CLANCamObject::SetNetwork(const CameraNetwork& in, uint16_t) {
  if (!valid_) return kOpFailed;
  network_ = in;
  network_changed_ = true;
  updated_tick_ = env_.TickMs();
  return kOpOk;
}

void CLANCamObject::SetAuth(const std::wstring& user, const std::wstring& password) {
  user_ = user;
  password_ = password;
}

CLANDAPObj::CLANDAPObj(Env& env) : CLANCamObject(env) {
  // Each camera object reseeds the back-off generator, as the exchange timing expects.
  env_.SeedRandom(env_.TickMs());
}

void CLANDAPObj::CacheInfo(const CameraInfo& info) {
  info_ = info;
  network_ = NetworkOf(info);
  camera_address_ = info.settings.ip_address;
}

bool CLANDAPObj::Init(Bytes payload, const Mac& mac, Ipv4 interface_address) {
  CLANCamObject::Init(payload, mac, interface_address);
  if (auto info = DecodeCameraInfo(payload)) {
    CacheInfo(*info);
    return true;
  }
  if (auto remote = DecodeRemoteInfo(payload)) {
    remote_info_ = *remote;
    camera_address_ = remote->ip_address;
    return true;
  }
  return false;
}

std::optional<std::vector<uint8_t>> CLANDAPObj::RefreshOnAdapter(Ipv4 address, uint16_t sequence,
                                                                 bool marked_round) {
  CBCModule bc(env_);
  if (bc.Open(address, 0, false) != 0) return std::nullopt;
  LandapHeader h;
  h.sequence = sequence;
  h.command = CmdSearch;
  h.target_mac = mac_;
  h.camera_address = camera_address_;
  std::vector<uint8_t> reply(kRefreshReplySize);
  uint32_t timeout = kFirstTimeoutMs;
  // A camera that ignores requests marked for one camera may still answer a plain search.
  for (uint16_t marker : {kCameraMarker, uint16_t{0}}) {
    if (marker == kCameraMarker && !marked_round) continue;
    h.status = marker;
    std::array<uint8_t, kHeaderSize> request{};
    EncodeHeader(h, request);
    for (int send = 0; send < kSendsPerRound; ++send) {
      bc.Send(request, 0, kLandapPort);
      for (;;) {
        std::fill(reply.begin(), reply.end(), 0);
        int n = bc.Collect(timeout, reply.data(), reply.size(), nullptr, nullptr);
        if (n <= 0) break;
        if (n >= 12 && std::equal(mac_.begin(), mac_.end(), reply.begin() + 6)) {
          reply.resize(static_cast<size_t>(n));  // what arrived, so a short reply is refused
          return reply;
        }
      }
      timeout += env_.Random() % 300 + 200;
    }
  }
  return std::nullopt;
}

bool CLANDAPObj::TakeRefreshReply(Bytes reply, uint16_t sequence) {
  auto h = DecodeHeader(reply);
  if (!h || reply.size() != kRefreshReplySize || h->payload_length != kCameraInfoSize ||
      h->sequence != sequence ||
      h->target_mac != mac_ || h->status != kStatusOk)
    return false;
  auto info = DecodeCameraInfo(reply.subspan(kHeaderSize, kCameraInfoSize));
  if (!info) return false;
  CacheInfo(*info);
  network_changed_ = false;
  updated_tick_ = env_.TickMs();
  return true;
}

bool CLANDAPObj::Refresh(uint16_t sequence) {
  auto reply = RefreshOnAdapter(interface_address_, sequence, true);
  if (reply && TakeRefreshReply(*reply, sequence)) return true;

  // The camera may have moved to another of the PC's networks: ask there, keeping the
  // interface through which it was found.
  CAdapterEnumerator adapters(env_);
  adapters.Refresh();
  bool first = true;
  for (int i = adapters.Count() - 1; i >= 0; --i) {
    Ipv4 address = adapters.Address(i);
    if (address == 0 || address == interface_address_) continue;
    reply = RefreshOnAdapter(address, sequence, first);
    first = false;
    if (reply && TakeRefreshReply(*reply, sequence)) return true;
  }
  return false;
}

std::vector<uint8_t> CLANDAPObj::BuildRequest(uint16_t command, uint16_t sequence,
                                              size_t payload_length, Bytes fields) const {
  std::vector<uint8_t> request(kHeaderSize + payload_length, 0);
  LandapHeader h;
  h.sequence = sequence;
  h.command = command;
  h.target_mac = mac_;
  h.camera_address = camera_address_;
  h.status = kCameraMarker;
  h.payload_length = static_cast<uint16_t>(payload_length);
  EncodeHeader(h, request);
  if (payload_length >= kCredentialBlockSize) {
    PutCredentialBlock(MutableBytes(request).subspan(kHeaderSize), credentials_);
    size_t room = payload_length - kCredentialBlockSize;
    std::copy_n(fields.begin(), std::min(fields.size(), room),
                request.begin() + kHeaderSize + kCredentialBlockSize);
  }
  return request;
}

std::optional<CommandReply> CLANDAPObj::AcceptReply(std::vector<uint8_t> datagram, int count,
                                                    uint16_t sequence) const {
  // Fewer bytes than a header cannot carry this request's sequence and MAC.
  if (count < static_cast<int>(kHeaderSize) || datagram.size() < kHeaderSize) return std::nullopt;
  CommandReply reply;
  reply.datagram = std::move(datagram);
  reply.count = count;
  reply.header = *DecodeHeader(reply.datagram);
  if (reply.header.sequence != sequence || reply.header.target_mac != mac_) return std::nullopt;
  return reply;
}

std::optional<CommandReply> CLANDAPObj::Command(uint16_t command, uint16_t sequence,
                                                size_t payload_length, Bytes fields,
                                                size_t expected, bool retry, uint16_t port) {
  std::vector<uint8_t> request = BuildRequest(command, sequence, payload_length, fields);
  std::vector<uint8_t> datagram;
  ExchangeRequest x{request, std::max(expected, kHeaderSize), retry, port, kFirstTimeoutMs};
  int count = Exchange(env_, interface_address_, x, datagram);
  return AcceptReply(std::move(datagram), count, sequence);
}

std::optional<CommandReply> CLANDAPObj::CommandOnAllAdapters(uint16_t command, uint16_t sequence,
                                                             size_t payload_length, Bytes fields,
                                                             size_t expected) {
  std::vector<uint8_t> request = BuildRequest(command, sequence, payload_length, fields);
  std::vector<uint8_t> datagram;
  ExchangeRequest x{request, std::max(expected, kHeaderSize), true, kLandapPort, kFirstTimeoutMs};
  int count = ExchangeOnAllAdapters(env_, x, datagram);
  return AcceptReply(std::move(datagram), count, sequence);
}

}  // namespace yov
