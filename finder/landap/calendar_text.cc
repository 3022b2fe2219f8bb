// Reading and writing the 14-digit date text.
#include "landap/calendar_text.h"

#include <cstdio>

namespace yov {

static uint16_t DecimalAt(const std::string& s, size_t at, size_t len) {
  // Like atoi over a sub-string: leading digits only.
  unsigned v = 0;
  for (size_t i = at; i < at + len && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10 + (s[i] - '0');
  return static_cast<uint16_t>(v);
}

void ReadDigitTime(const uint8_t* field, size_t n, _YOVCalendarTime& out) {
  std::string s = FieldText(field, n);
  if (s.size() < 14) return;
  out.Year = DecimalAt(s, 0, 4);
  out.Month = DecimalAt(s, 4, 2);
  out.Day = DecimalAt(s, 6, 2);
  out.Hour = DecimalAt(s, 8, 2);
  out.Minute = DecimalAt(s, 10, 2);
  out.Second = DecimalAt(s, 12, 2);
}

std::string FormatDigitTime(const _YOVCalendarTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%4d%02d%02d%02d%02d%02d", t.Year, t.Month, t.Day, t.Hour,
                t.Minute, t.Second);
  return text;
}

}  // namespace yov
