// The site-survey reply: one or more datagrams of up to 20 station entries (36 bytes each),
// 2 unused bytes and a continuation mark.
#pragma once

#include <optional>
#include <vector>

#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kStationEntrySize = 36;
constexpr size_t kStationsPerDatagram = 20;
constexpr size_t kSurveyTrailerSize = 4;  // 2 unused bytes and the u16 mark
constexpr size_t kSurveyDatagramMax = 22 + kStationsPerDatagram * kStationEntrySize + 4;  // 746
constexpr uint16_t kSurveyMoreFollows = 0xFFFF;

// _LANDAPWirelessStation: one access point as the camera reports it.
struct SurveyStation {
  Text<33> ssid{};  // byte 32 is always read as NUL
  uint8_t signal = 0;
  uint8_t mode = 0, encryption = 0;          // low / high 4 bits of byte 34
  uint8_t authentication = 0, channel = 0;   // low / high 4 bits of byte 35 (channel minus 1)
};

struct SurveyPage {
  std::vector<SurveyStation> stations;
  uint16_t mark = 0;  // kSurveyMoreFollows when another datagram follows
};

// The payload of one datagram: entries, 2 zero bytes, the mark.
std::vector<uint8_t> EncodeSurveyPage(const SurveyPage& page);
// (length - 4) / 36 entries, the mark after them and 2 unused bytes; nullopt below 4 bytes.
std::optional<SurveyPage> DecodeSurveyPage(Bytes payload);

void FillStationRecord(const SurveyStation& s, _YOVSiteSurveyStation& out);

}  // namespace yov
