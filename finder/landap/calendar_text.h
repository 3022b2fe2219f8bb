// The 14-digit date text of LANDAP payloads ("yyyyMMddhhmmss").
#pragma once

#include <string>

#include "landap/byte_codec.h"
#include "yovfinder.h"

namespace yov {

// Parses the first 14 characters of a NUL-terminated field of `n` bytes into year, month,
// day, hour, minute and second. A text shorter than 14 characters writes nothing. Day of week
// and milliseconds are never touched.
void ReadDigitTime(const uint8_t* field, size_t n, _YOVCalendarTime& out);

// "%4d%02d%02d%02d%02d%02d" of the calendar time.
std::string FormatDigitTime(const _YOVCalendarTime& t);

}  // namespace yov
