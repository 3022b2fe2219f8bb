// Text forms used in the simulator's JSON: MAC addresses, IPv4 addresses, hex bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "landap/landap_header.h"

namespace camsim {

// "00:11:22:AA:BB:CC" (also accepts '-' separators); nullopt when it does not parse.
std::optional<yov::Mac> ParseMac(std::string_view text);
std::string MacText(const yov::Mac& mac);  // upper-case, ':' separated

// Dotted-decimal IPv4 in network byte order; nullopt when it does not parse. Unlike
// yov::ParseAddress, "255.255.255.255" is a valid address here.
std::optional<yov::Ipv4> ParseIpv4(std::string_view text);
std::string Ipv4Text(yov::Ipv4 address);
std::string EndpointText(yov::Ipv4 address, uint16_t port);  // "a.b.c.d:port"

std::string HexText(const uint8_t* data, size_t size);  // lower-case, no separators
std::optional<std::vector<uint8_t>> ParseHex(std::string_view text);  // spaces allowed

}  // namespace camsim
