// Exports of the remote-access service.
#include <cstring>

#include "api/camera_frame.h"
#include "api/sized_text.h"
#include "discovery/remote_access.h"

using namespace yov;

namespace {

// A per-camera remote-access query whose operation returns export codes.
template <typename Op>
int RunQuery(YOVFinderHandle h, int index, Op&& op) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] { return FinderOf(h)->manager().Run(index, op); });
}

// The set-type tail, keeping "credentials refused" as -2.
template <typename Op>
int RunRemoteSet(YOVFinderHandle h, int index, _YOVFinderResult* out, int background, Op&& op) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    CLANCamFinder& finder = *FinderOf(h);
    int result = finder.manager().RunSet(index, op);
    int mapped = FinishSet(finder, index, result, out, background);
    return result == kOpAuthRefused ? YOV_E_AUTH : mapped;
  });
}

std::string TextOf(const char* text) { return text ? text : ""; }

}  // namespace

extern "C" {

YOV_EXPORT int YOVOstrel12QueryIPEnvironment(YOVFinderHandle h, int index, int* out1, int* out2) {
  if (!out1 || !out2) return YOV_E_INVALID;
  return RunQuery(h, index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
    return QueryIpEnvironment(camera, sequence, *out1, *out2);
  });
}

YOV_EXPORT int YOVOstrel12QueryProcState(YOVFinderHandle h, int index, int* state, int* detail,
                                         int* extra) {
  if (!state || !detail || !extra) return YOV_E_INVALID;
  return RunQuery(h, index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
    return QueryProcState(camera, sequence, *state, *detail, *extra);
  });
}

YOV_EXPORT int YOVEnableOstrel12(YOVFinderHandle h, int index, int enable,
                                 _YOVFinderResult* result, int background) {
  return RunRemoteSet(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) {
    return EnableOstrel(camera, sequence, enable);
  });
}

YOV_EXPORT int YOVGetOstrel12Enabled(YOVFinderHandle h, int index, int* enabled) {
  if (!enabled) return YOV_E_INVALID;
  return RunQuery(h, index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
    return GetOstrelEnabled(camera, sequence, *enabled);
  });
}

YOV_EXPORT int YOVQueryOstrel12URL(YOVFinderHandle h, int index, char* buffer, short* size) {
  if (!buffer || !size) return YOV_E_INVALID;
  return RunQuery(h, index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
    std::string url;
    int r = QueryOstrelUrl(camera, sequence, url);
    return r == YOV_OK ? PutSizedText(url, buffer, size) : r;
  });
}

YOV_EXPORT int YOVOstrel12GetAlias(YOVFinderHandle h, int index, char* buffer, short* size) {
  if (!buffer || !size) return YOV_E_INVALID;
  return RunQuery(h, index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
    std::string alias;
    int r = GetOstrelAlias(camera, sequence, alias);
    if (r != YOV_OK) return r;
    // Unlike the address, the needed size is not written back.
    if (*size < static_cast<int>(alias.size()) + 1) return YOV_E_SMALL_BUFFER;
    std::memset(buffer, 0, static_cast<size_t>(*size));
    std::memcpy(buffer, alias.c_str(), alias.size() + 1);
    return YOV_OK;
  });
}

YOV_EXPORT int YOVOstrel12SetAlias(YOVFinderHandle h, int index, const char* alias, short) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    CLANDAPMgr& manager = FinderOf(h)->manager();
    CLANDAPObj* camera = manager.LandapCamera(index);
    if (!camera) return YOV_E_FAILED;
    return SetOstrelAlias(manager, *camera, TextOf(alias));
  });
}

YOV_EXPORT int YOVOstrel12SetSubDN(YOVFinderHandle h, int index, const char* name, short,
                                   _YOVFinderResult* result, int background) {
  return RunRemoteSet(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) {
    return SetOstrelSubDomain(camera, sequence, TextOf(name));
  });
}

YOV_EXPORT int YOVOstrel12Search(YOVFinderHandle h, int background) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    CLANCamFinder& finder = *FinderOf(h);
    return background ? RemoteSearchInBackground(finder) : RemoteSearchNow(finder);
  });
}

}  // extern "C"
