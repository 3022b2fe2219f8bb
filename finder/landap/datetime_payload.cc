// Packing of the date-time block.
#include "landap/datetime_payload.h"

#include "landap/calendar_text.h"

namespace yov {
namespace {

constexpr size_t kTimeAt = 0, kOption1At = 16, kOption2At = 18, kOption3At = 19, kTextAt = 20;

}  // namespace

std::array<uint8_t, kDatetimeBlockSize> EncodeDatetimeBlock(const DatetimeBlock& b) {
  std::array<uint8_t, kDatetimeBlockSize> out{};
  PutText(out, kTimeAt, b.time_digits);
  PutU16(out, kOption1At, b.option1);
  out[kOption2At] = b.option2;
  out[kOption3At] = b.option3;
  PutText(out, kTextAt, b.time_text);
  return out;
}

std::optional<DatetimeBlock> DecodeDatetimeBlock(Bytes in) {
  if (in.size() < kDatetimeBlockSize) return std::nullopt;
  DatetimeBlock b;
  GetText(in, kTimeAt, b.time_digits);
  b.option1 = GetU16(in, kOption1At);
  b.option2 = in[kOption2At];
  b.option3 = in[kOption3At];
  GetText(in, kTextAt, b.time_text);
  return b;
}

void FillDatetimeRecord(const DatetimeBlock& b, _YOVCamDatetime& out) {
  out.Version = 1;
  out.Size = sizeof(_YOVCamDatetime) - 8;
  ReadDigitTime(b.time_digits.data(), b.time_digits.size(), out.CameraTime);
  out.TimeOption1 = b.option1;
  out.TimeOption2 = b.option2;
  out.TimeOption3 = b.option3;
  ToField(out.TimeText, b.time_text);
}

DatetimeBlock DatetimeBlockFromRecord(const _YOVCamDatetime& in) {
  DatetimeBlock b;
  // Out-of-range fields can format longer than 14 digits; keep the field terminated.
  std::string digits = FormatDigitTime(in.CameraTime).substr(0, b.time_digits.size() - 1);
  b.time_digits = MakeText<16>(digits);
  b.option1 = in.TimeOption1;
  b.option2 = static_cast<uint8_t>(in.TimeOption2);
  b.option3 = static_cast<uint8_t>(in.TimeOption3);
  b.time_text = FromField<64>(in.TimeText);
  return b;
}

}  // namespace yov
