// The set-type tail and the text copy of the per-camera exports.
#include "api/camera_frame.h"

#include <cstring>

#include "api/text_codec.h"

namespace yov {

int FinishSet(CLANCamFinder& finder, int index, int result, _YOVFinderResult* out,
              int background) {
  CLANDAPObj* camera = finder.manager().LandapCamera(index);
  if (!camera) return MapSetter(result);
  const _YOVFinderResult triple = camera->result();
  if (out) *out = triple;
  if (result == kOpOk && triple.WaitTime > 0) {
    if (!background)
      finder.manager().env().SleepMs(triple.WaitTime);
    else
      finder.PostDelayedCompletion(index, triple.WaitTime);
  }
  return MapSetter(result);
}

int CopyTextToCaller(const std::wstring& text, char* buffer, int size) {
  if (size <= 0) return kOpSmallBuffer;
  std::string ansi = WideToAnsi(text);
  size_t room = static_cast<size_t>(size) - 1;
  size_t n = std::min(ansi.size(), room);
  std::memcpy(buffer, ansi.data(), n);
  buffer[n] = '\0';
  return n == ansi.size() ? kOpOk : kOpSmallBuffer;
}

}  // namespace yov
