// Exports of the advanced network settings and the camera's provider list.
#include "api/camera_frame.h"

using namespace yov;

extern "C" {

YOV_EXPORT int YOVGetAdvNetwork(YOVFinderHandle h, int index, _YOVAdvNetwork* network,
                                unsigned long* size) {
  return RunGetter(h, index, network, size, GetAdvNetwork);
}

YOV_EXPORT int YOVSetAdvNetwork(YOVFinderHandle h, int index, const _YOVAdvNetwork* network,
                                int size, _YOVFinderResult* result, int background) {
  if (!network) return YOV_E_INVALID;
  return RunSetExport(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
    return SetAdvNetwork(camera, sequence, *network, size);
  });
}

YOV_EXPORT int YOVGetDDNSProvidersCount(YOVFinderHandle h, int index, int* count) {
  if (!count) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
      *count = static_cast<int>(ProviderNames(camera, sequence).size());
      return YOV_OK;
    });
  });
}

YOV_EXPORT int YOVGetDDNSProviderList(YOVFinderHandle h, int index, int position, char* buffer,
                                      int size) {
  if (!buffer) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return MapGetter(FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
      const std::vector<std::wstring>& names = ProviderNames(camera, sequence);
      if (position < 0 || position >= static_cast<int>(names.size()) || names[position].empty())
        return kOpFailed;
      return CopyTextToCaller(names[position], buffer, size);
    }));
  });
}

}  // extern "C"
