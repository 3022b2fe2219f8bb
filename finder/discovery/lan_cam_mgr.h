// CLANCamMgr and CLANDAPMgr: the adapter snapshot, the sequence counter and the camera list.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "discovery/lan_cam_object.h"
#include "landap/adapter_enumerator.h"

namespace yov {

// Called for each camera newly added to the list, with its payload.
using FoundCallback = std::function<void(Bytes payload)>;

constexpr uint32_t kSearchTimeoutMs = 3000;
// Room for a storm of replies: 500 cameras at once need well over the default buffer.
constexpr int kSearchReceiveBuffer = 8 << 20;

class CLANCamMgr {
 public:
  explicit CLANCamMgr(Env& env);
  virtual ~CLANCamMgr() = default;
  CLANCamMgr(const CLANCamMgr&) = delete;
  CLANCamMgr& operator=(const CLANCamMgr&) = delete;

  // Searches every adapter, last to first; true when any reply arrived. Empties the list first.
  bool Search(uint32_t timeout_ms, FoundCallback callback);
  bool GetNetwork(int index, CameraNetwork& out) const;
  bool Refresh(int index);
  bool SetAuth(int index, const std::wstring& user, const std::wstring& password);
  void Clear();

  int Count() const { return static_cast<int>(cameras_.size()); }
  CLANCamObject* Camera(int index) const;  // nullptr outside the list
  int FindByMac(const Mac& mac) const;     // highest valid index with this MAC, or -1
  // Safe from the WPS worker and the caller at once.
  uint16_t NextSequence() { return sequence_.fetch_add(1); }

  Env& env() const { return env_; }
  // The adapter snapshot of the last search (host-side helpers find the camera's adapter here).
  const CAdapterEnumerator& adapters() const { return adapters_; }

 protected:
  // Searches one adapter; the base class does nothing and reports success.
  virtual bool SearchOnInterface(Ipv4, uint32_t) { return true; }
  bool HasMac(const Mac& mac) const;

  Env& env_;
  FoundCallback callback_;
  CAdapterEnumerator adapters_;
  std::atomic<uint16_t> sequence_;
  std::vector<std::unique_ptr<CLANCamObject>> cameras_;
};

class CLANDAPMgr : public CLANCamMgr {
 public:
  explicit CLANDAPMgr(Env& env) : CLANCamMgr(env) {}

  // The LANDAP camera at `index`, or nullptr outside the list.
  CLANDAPObj* LandapCamera(int index) const {
    return dynamic_cast<CLANDAPObj*>(Camera(index));
  }
  // Runs op(camera, next sequence number) on the camera at `index`; -1 when there is none.
  template <typename Op>
  int Run(int index, Op&& op) {
    CLANDAPObj* camera = LandapCamera(index);
    if (!camera) return kOpFailed;
    return static_cast<int>(op(*camera, NextSequence()));
  }
  // The same for set-type commands, which start from a cleared result triple.
  template <typename Op>
  int RunSet(int index, Op&& op) {
    return Run(index, [&](CLANDAPObj& camera, uint16_t sequence) {
      camera.ClearResult();
      return op(camera, sequence);
    });
  }

  void SetSearch(uint16_t command, uint16_t port) {
    search_command_ = command;
    search_port_ = port;
  }

 protected:
  bool SearchOnInterface(Ipv4 address, uint32_t timeout_ms) override;

 private:
  int OnSearchReply(Bytes datagram, Ipv4 bound, uint16_t sequence);

  uint16_t search_command_ = CmdSearch;
  uint16_t search_port_ = kLandapPort;
};

}  // namespace yov
