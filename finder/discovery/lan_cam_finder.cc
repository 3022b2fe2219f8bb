// Searches of the finder and its notifications.
#include "discovery/lan_cam_finder.h"

namespace yov {

CLANCamFinder::~CLANCamFinder() {
  delayed_.Close();
  search_worker_.Join();
  wps_worker_.Join();
  remote_search_worker_.Join();
}

bool CLANCamFinder::SinkAlive() const {
  Target t = CurrentTarget();
  return t.sink && t.sink->alive && t.sink->alive(t.sink);
}

void CLANCamFinder::Send(uintptr_t what, intptr_t param) const {
  Target t = CurrentTarget();
  if (t.sink && t.sink->send) t.sink->send(t.sink, t.message, what, param);
}

void CLANCamFinder::Post(uintptr_t what, intptr_t param) const {
  Target t = CurrentTarget();
  if (t.sink && t.sink->post) t.sink->post(t.sink, t.message, what, param);
}

void CLANCamFinder::PostDelayedCompletion(int index, uint32_t wait_ms) {
  if (!SinkAlive()) return;
  delayed_.Start(manager_.env(), wait_ms, [this, index] { Post(YOV_NOTIFY_DELAYED_COMPLETION, index); });
}

void CLANCamFinder::ReportFound(Bytes payload) const {
  _YOVCamSettings record{};  // bytes the version does not carry stay zero
  if (auto info = DecodeCameraInfo(payload))
    FillCamSettingsV1(*info, record);
  else if (auto remote = DecodeRemoteInfo(payload))
    FillCamSettingsV2(*remote, record);
  else
    return;
  Send(YOV_NOTIFY_CAMERA_FOUND, reinterpret_cast<intptr_t>(&record));
}

bool CLANCamFinder::MaySearch(WorkerSlot& mine) {
  if (!mine.WaitIdle(kWorkerBusyWaitMs)) return false;
  for (WorkerSlot* w : {&search_worker_, &wps_worker_, &remote_search_worker_})
    if (w != &mine && w->running()) return false;
  return true;
}

int CLANCamFinder::SearchNow() {
  if (!MaySearch(search_worker_)) return -1;
  manager_.SetSearch(CmdSearch, kLandapPort);
  return manager_.Search(kSearchTimeoutMs, nullptr) ? 0 : -1;
}

int CLANCamFinder::SearchInBackground() {
  if (!MaySearch(search_worker_)) return -5;
  if (!SinkAlive()) return -3;
  bool started = search_worker_.Start([this] {
    manager_.SetSearch(CmdSearch, kLandapPort);
    manager_.Search(kSearchTimeoutMs, [this](Bytes payload) { ReportFound(payload); });
    Send(YOV_NOTIFY_SEARCH_DONE, 0);
  });
  return started ? 0 : -1;
}

}  // namespace yov
