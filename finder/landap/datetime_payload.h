// The date-time block (100 bytes): reply to CmdGetDatetime and body of CmdSetDatetime.
#pragma once

#include <optional>

#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kDatetimeBlockSize = 100;

struct DatetimeBlock {
  Text<16> time_digits{};  // "yyyyMMddhhmmss" and a NUL
  uint16_t option1 = 0;
  uint8_t option2 = 0;
  uint8_t option3 = 0;
  Text<64> time_text{};
};

std::array<uint8_t, kDatetimeBlockSize> EncodeDatetimeBlock(const DatetimeBlock& b);
std::optional<DatetimeBlock> DecodeDatetimeBlock(Bytes in);  // at least 100 bytes

// Writes head, calendar time (when the text has 14 digits), the options and the text; the
// padding, day of week, milliseconds and the unused tail keep their content.
void FillDatetimeRecord(const DatetimeBlock& b, _YOVCamDatetime& out);
// The block a record asks for: the time formatted as 14 digits, options cut to their widths.
DatetimeBlock DatetimeBlockFromRecord(const _YOVCamDatetime& in);

}  // namespace yov
