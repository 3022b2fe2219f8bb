// Packing of site-survey datagrams.
#include "landap/site_survey_payload.h"

namespace yov {
namespace {

constexpr size_t kSsidAt = 0, kSignalAt = 33, kModeByteAt = 34, kAuthByteAt = 35;
constexpr size_t kSsidChars = 32;

uint8_t Pair(uint8_t low, uint8_t high) { return static_cast<uint8_t>((low & 0x0F) | ((high & 0x0F) << 4)); }

}  // namespace

std::vector<uint8_t> EncodeSurveyPage(const SurveyPage& page) {
  std::vector<uint8_t> out(page.stations.size() * kStationEntrySize + kSurveyTrailerSize, 0);
  MutableBytes o(out);
  size_t at = 0;
  for (const SurveyStation& s : page.stations) {
    PutText(o, at + kSsidAt, s.ssid);
    o[at + kSignalAt] = s.signal;
    o[at + kModeByteAt] = Pair(s.mode, s.encryption);
    o[at + kAuthByteAt] = Pair(s.authentication, s.channel);
    at += kStationEntrySize;
  }
  PutU16(o, at + 2, page.mark);
  return out;
}

std::optional<SurveyPage> DecodeSurveyPage(Bytes payload) {
  if (payload.size() < kSurveyTrailerSize) return std::nullopt;
  size_t n = (payload.size() - kSurveyTrailerSize) / kStationEntrySize;
  SurveyPage page;
  page.stations.resize(n);
  for (size_t i = 0; i < n; ++i) {
    Bytes e = payload.subspan(i * kStationEntrySize, kStationEntrySize);
    SurveyStation& s = page.stations[i];
    std::copy_n(e.begin() + kSsidAt, kSsidChars, s.ssid.begin());  // byte 32 stays NUL
    s.signal = e[kSignalAt];
    s.mode = e[kModeByteAt] & 0x0F;
    s.encryption = e[kModeByteAt] >> 4;
    s.authentication = e[kAuthByteAt] & 0x0F;
    s.channel = e[kAuthByteAt] >> 4;
  }
  page.mark = GetU16(payload, n * kStationEntrySize + 2);
  return page;
}

void FillStationRecord(const SurveyStation& s, _YOVSiteSurveyStation& out) {
  out = {};
  CopyText(out.Ssid, sizeof out.Ssid, s.ssid.data(), kSsidChars);
  out.SignalStrength = s.signal;
  out.StationMode = s.mode;
  out.StationEncryption = s.encryption;
  out.StationAuthentication = s.authentication;
  out.StationChannel = s.channel;
}

}  // namespace yov
