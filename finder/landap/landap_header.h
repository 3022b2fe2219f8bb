// The 22-byte LANDAP header, the command codes and the ports.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "landap/byte_codec.h"

namespace yov {

using Mac = std::array<uint8_t, 6>;

constexpr size_t kHeaderSize = 22;
constexpr uint16_t kRequestMagic = 0xFDFD;
constexpr uint16_t kReplyMagic = 0xFEEE;
constexpr uint16_t kCameraMarker = 0x7777;  // every request addressed to one camera
constexpr uint16_t kHeaderVersion = 1;
constexpr uint16_t kLandapPort = 62976;
constexpr uint16_t kRemoteAccessPort = 62977;
constexpr size_t kCredentialBlockSize = 128;
constexpr Mac kBroadcastMac = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Reply status values.
constexpr uint16_t kStatusOk = 0;
constexpr uint16_t kStatusAuthRefused = 2;
constexpr uint16_t kStatusNoRetry = 4;
constexpr uint16_t kStatusNotReady = 257;

enum Command : uint16_t {
  CmdSearch = 161,
  CmdSetCameraInfo = 162,
  CmdVerifyAuth = 163,
  CmdChangePassword = 164,
  CmdGetOptionCmds = 165,
  CmdGetAdvNetwork = 166,
  CmdSetAdvNetwork = 167,
  CmdGetWireless = 168,
  CmdSetWireless = 169,
  CmdRestart = 170,
  CmdFactoryReset = 171,
  CmdGetDatetime = 172,
  CmdSetDatetime = 173,
  CmdGetSiteSurvey = 174,
  CmdGetSimpleWireless = 175,
  CmdSetSimpleWireless = 176,
  CmdStartSiteSurvey = 177,
  CmdWirelessStatus = 178,
  CmdWpsKeyStart = 179,
  CmdWpsGetCameraKey = 180,
  CmdWpsSendSecret = 181,
  CmdWpsKeyResult = 182,
  CmdCommit = 192,
  CmdWpsStart = 193,
  CmdWpsResult = 194,
  CmdGetWpsPin = 195,
  CmdNetworkStatus = 201,
  CmdOstrelGetEnabled = 209,
  CmdOstrelEnable = 210,
  CmdOstrelIpEnvironment = 257,
  CmdOstrelProcState = 258,
  CmdPppoeAvailable = 259,
  CmdPppoeDone = 260,
  CmdOstrelUrl = 261,
  CmdOstrelGetAlias = 262,
  CmdOstrelSetAlias = 263,
  CmdOstrelAliasResult = 264,
  CmdOstrelSearch = 265,
  CmdOstrelSetSubDomain = 266,
};

struct LandapHeader {
  uint16_t magic = kRequestMagic;
  uint16_t sequence = 0;
  uint16_t command = 0;
  Mac target_mac{};
  Ipv4 camera_address = 0;
  uint16_t status = 0;  // the marker in a request, the status in a reply
  uint16_t header_version = kHeaderVersion;
  uint16_t payload_length = 0;
};

void EncodeHeader(const LandapHeader& h, MutableBytes out);  // out.size() >= kHeaderSize
// Reads the header of a datagram; nullopt when it is shorter than the header.
std::optional<LandapHeader> DecodeHeader(Bytes datagram);

// The bare 22-byte search request (no payload, broadcast MAC, marker 0).
std::array<uint8_t, kHeaderSize> BuildSearchRequest(uint16_t command, uint16_t sequence);

// The checks a datagram received during a search must pass (the duplicate-MAC check is the
// caller's): length, PayloadLength, reply magic, command, header version, sequence, status 0.
bool IsValidSearchReply(Bytes datagram, uint16_t command, uint16_t sequence);

}  // namespace yov
