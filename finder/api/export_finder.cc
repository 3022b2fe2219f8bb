// Exports of the life cycle, the search and the camera list.
#include <algorithm>

#include "api/frame.h"

using namespace yov;

extern "C" {

YOV_EXPORT YOVFinderHandle YOVCreateFinder(int) {
  return Guard<>(static_cast<YOVFinderHandle>(nullptr), [] {
    return static_cast<YOVFinderHandle>(new CLANCamFinder(*Env::Default()));
  });
}

YOV_EXPORT void YOVDestroyFinder(YOVFinderHandle h) { delete FinderOf(h); }

YOV_EXPORT int YOVFinderSetOverlapNotify(YOVFinderHandle h, YOVNotifySink* sink, unsigned message) {
  if (!h) return 0;
  FinderOf(h)->SetNotify(sink, message);
  return 1;
}

YOV_EXPORT int YOVFinderSearch(YOVFinderHandle h, int background) {
  if (!h) return -1;
  return Guard<>(-1, [&] {
    return background ? FinderOf(h)->SearchInBackground() : FinderOf(h)->SearchNow();
  });
}

YOV_EXPORT int YOVGetCameraNum(YOVFinderHandle h) { return h ? FinderOf(h)->manager().Count() : 0; }

YOV_EXPORT int YOVGetCameraMAC(YOVFinderHandle h, int index, uint8_t mac[6]) {
  if (!mac) return -3;
  if (!h) return -1;
  CLANCamObject* camera = FinderOf(h)->manager().Camera(index);
  if (!camera || !camera->valid()) return -1;
  std::copy(camera->mac().begin(), camera->mac().end(), mac);
  return 0;
}

YOV_EXPORT int YOVFindCameraIdxByMAC(YOVFinderHandle h, const uint8_t mac[6]) {
  if (!h || !mac) return -1;
  Mac m;
  std::copy(mac, mac + 6, m.begin());
  return FinderOf(h)->manager().FindByMac(m);
}

}  // extern "C"
