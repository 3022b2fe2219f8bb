// CLANCamFinder: the object behind a finder handle.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "discovery/delayed_completion.h"
#include "discovery/lan_cam_mgr.h"
#include "discovery/worker_slot.h"
#include "yovfinder.h"

namespace yov {

class CLANCamFinder {
 public:
  explicit CLANCamFinder(Env& env) : manager_(env) {}
  // Waits for every worker, then deletes the camera list.
  ~CLANCamFinder();

  // May be called at any time; workers take the pair as it is when they notify.
  void SetNotify(YOVNotifySink* sink, unsigned message) {
    std::lock_guard lock(sink_mutex_);
    sink_ = sink;
    message_ = message;
  }
  bool SinkAlive() const;
  // Sends (waits for the receiver) or posts a notification when a sink is set.
  void Send(uintptr_t what, intptr_t param) const;
  void Post(uintptr_t what, intptr_t param) const;

  // With a live sink: posts NotifyDelayedCompletion with `index` after `wait_ms` from a
  // short-lived thread. Nothing is posted once the finder is being destroyed.
  void PostDelayedCompletion(int index, uint32_t wait_ms);

  // Camera search on the caller's thread: 0 when any reply arrived, else -1.
  int SearchNow();
  // Camera search on the search worker: 0, -3 (no live sink), -5 (busy), -1.
  int SearchInBackground();
  // True when the search worker `mine` has ended (after up to 50 ms) and no other worker uses
  // the camera list: a search empties it, which would pull the camera object from under a
  // running WPS worker or the other kind of search.
  bool MaySearch(WorkerSlot& mine);

  CLANDAPMgr& manager() { return manager_; }
  const std::wstring& user() const { return user_; }
  const std::wstring& password() const { return password_; }
  void SetStoredAuth(std::wstring user, std::wstring password) {
    user_ = std::move(user);
    password_ = std::move(password);
  }
  WorkerSlot& wps_worker() { return wps_worker_; }
  WorkerSlot& remote_search_worker() { return remote_search_worker_; }

  // Sends NotifyCameraFound with the camera record built from a search payload.
  void ReportFound(Bytes payload) const;

 private:
  CLANDAPMgr manager_;
  std::wstring user_, password_;
  struct Target {
    YOVNotifySink* sink;
    unsigned message;
  };
  Target CurrentTarget() const {
    std::lock_guard lock(sink_mutex_);
    return {sink_, message_};
  }
  mutable std::mutex sink_mutex_;
  YOVNotifySink* sink_ = nullptr;
  unsigned message_ = 0;
  WorkerSlot search_worker_, wps_worker_, remote_search_worker_;
  DelayedCompletion delayed_;
};

}  // namespace yov
