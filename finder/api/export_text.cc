// The conversion helpers and the buffer they hand out.
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "api/text_codec.h"
#include "yovfinder.h"

using namespace yov;

extern "C" {

YOV_EXPORT int YOVUTF8ToWChar(const char* utf8, wchar_t** out) {
  if (!utf8 || !out) return -3;
  *out = nullptr;
  try {
    std::wstring wide = Utf8ToWide(utf8);
    auto* buffer = static_cast<wchar_t*>(std::malloc((wide.size() + 1) * sizeof(wchar_t)));
    if (buffer) std::wmemcpy(buffer, wide.c_str(), wide.size() + 1);
    *out = buffer;
  } catch (...) {
  }
  return 0;
}

YOV_EXPORT int YOVWCharToUTF8(const wchar_t* wide, char** out) {
  if (!wide || !out) return -3;
  *out = nullptr;
  try {
    std::string utf8 = WideToUtf8(wide);
    auto* buffer = static_cast<char*>(std::malloc(utf8.size() + 1));
    if (buffer) std::memcpy(buffer, utf8.c_str(), utf8.size() + 1);
    *out = buffer;
  } catch (...) {
  }
  return 0;
}

YOV_EXPORT void YOVReleaseBuffer(void* buffer) { std::free(buffer); }

}  // extern "C"
