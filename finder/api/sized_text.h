// Text results in a caller's char buffer with a `short` size: capacity in, length with NUL out.
#pragma once

#include <cstring>
#include <string>

#include "yovfinder.h"

namespace yov {

// Copies `text` and its NUL and writes their length to *size: 0. When *size is smaller, only
// the needed length is written back: -4.
inline int PutSizedText(const std::string& text, char* buffer, short* size) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (*size < needed) {
    *size = static_cast<short>(needed);
    return YOV_E_SMALL_BUFFER;
  }
  std::memcpy(buffer, text.c_str(), static_cast<size_t>(needed));
  *size = static_cast<short>(needed);
  return YOV_OK;
}

}  // namespace yov
