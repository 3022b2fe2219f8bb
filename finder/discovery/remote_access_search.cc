// The remote-access search: the camera search with command 265 on port 62977, on its own worker.
#include "discovery/lan_cam_finder.h"
#include "discovery/remote_access.h"

namespace yov {

int RemoteSearchNow(CLANCamFinder& finder) {
  if (!finder.MaySearch(finder.remote_search_worker())) return YOV_E_FAILED;
  finder.manager().SetSearch(CmdOstrelSearch, kRemoteAccessPort);
  return finder.manager().Search(kSearchTimeoutMs, nullptr) ? YOV_OK : YOV_E_FAILED;
}

int RemoteSearchInBackground(CLANCamFinder& finder) {
  WorkerSlot& worker = finder.remote_search_worker();
  if (!finder.MaySearch(worker)) return YOV_E_BUSY;
  if (!finder.SinkAlive()) return YOV_E_INVALID;
  bool started = worker.Start([&finder] {
    finder.manager().SetSearch(CmdOstrelSearch, kRemoteAccessPort);
    finder.manager().Search(kSearchTimeoutMs, [&finder](Bytes payload) { finder.ReportFound(payload); });
    finder.Send(YOV_NOTIFY_SEARCH_DONE, 0);
  });
  return started ? YOV_OK : YOV_E_FAILED;
}

}  // namespace yov
