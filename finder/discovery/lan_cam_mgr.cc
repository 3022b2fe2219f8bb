// The camera search on every adapter and the camera list.
#include "discovery/lan_cam_mgr.h"

#include <algorithm>

namespace yov {

CLANCamMgr::CLANCamMgr(Env& env)
    : env_(env), adapters_(env), sequence_(static_cast<uint16_t>(env.TickMs())) {}

bool CLANCamMgr::Search(uint32_t timeout_ms, FoundCallback callback) {
  adapters_.Refresh();
  Clear();
  callback_ = std::move(callback);
  bool any = false;
  for (int i = adapters_.Count() - 1; i >= 0; --i) {
    Ipv4 address = adapters_.Address(i);
    if (address != 0 && SearchOnInterface(address, timeout_ms)) any = true;
  }
  callback_ = nullptr;
  return any;
}

CLANCamObject* CLANCamMgr::Camera(int index) const {
  return index >= 0 && index < Count() ? cameras_[index].get() : nullptr;
}

bool CLANCamMgr::GetNetwork(int index, CameraNetwork& out) const {
  CLANCamObject* camera = Camera(index);
  return camera && camera->GetNetwork(out);
}

bool CLANCamMgr::Refresh(int index) {
  CLANCamObject* camera = Camera(index);
  return camera && camera->Refresh(NextSequence());
}

bool CLANCamMgr::SetAuth(int index, const std::wstring& user, const std::wstring& password) {
  CLANCamObject* camera = Camera(index);
  if (!camera) return false;
  camera->SetAuth(user, password);
  return true;
}

void CLANCamMgr::Clear() {
  while (!cameras_.empty()) cameras_.pop_back();  // last to first
}

int CLANCamMgr::FindByMac(const Mac& mac) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (cameras_[i]->valid() && cameras_[i]->mac() == mac) return i;
  return -1;
}

bool CLANCamMgr::HasMac(const Mac& mac) const {
  return std::any_of(cameras_.begin(), cameras_.end(),
                     [&](const auto& c) { return c->mac() == mac; });
}

bool CLANDAPMgr::SearchOnInterface(Ipv4 address, uint32_t timeout_ms) {
  uint16_t sequence = sequence_.load();
  auto request = BuildSearchRequest(search_command_, sequence);
  CBCModule bc(env_);
  int handled = 0;
  if (bc.Open(address, 0, false, kSearchReceiveBuffer) == 0) {
    bc.Send(request, 0, search_port_);
    // Count here: a receive error late in the window must not hide the replies before it.
    bc.Collect(timeout_ms, nullptr, 0, nullptr, [&](Bytes d, Ipv4, Ipv4 bound) {
      ++handled;
      return OnSearchReply(d, bound, sequence);
    });
  }
  bc.Close();
  ++sequence_;  // every adapter's search has its own number
  return handled > 0;
}

int CLANDAPMgr::OnSearchReply(Bytes d, Ipv4 bound, uint16_t sequence) {
  size_t wanted = search_command_ == CmdSearch ? kCameraInfoSize : kRemoteInfoSize;
  if (!IsValidSearchReply(d, search_command_, sequence) || d.size() != kHeaderSize + wanted)
    return 1;
  Mac mac;
  std::copy(d.begin() + 6, d.begin() + 12, mac.begin());
  if (HasMac(mac)) return 1;
  auto camera = std::make_unique<CLANDAPObj>(env_);
  Bytes payload = d.subspan(kHeaderSize);
  if (!camera->Init(payload, mac, bound)) return 1;
  cameras_.push_back(std::move(camera));
  if (callback_) callback_(payload);
  return 1;
}

}  // namespace yov
