// Parsing and printing of MAC, IPv4 and hex text.
#include "wire_text.h"

#include <arpa/inet.h>

#include <cstdio>

namespace camsim {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<yov::Mac> ParseMac(std::string_view text) {
  yov::Mac mac{};
  if (text.size() != 17) return std::nullopt;
  for (size_t i = 0; i < 6; ++i) {
    int hi = HexDigit(text[i * 3]), lo = HexDigit(text[i * 3 + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    if (i < 5 && text[i * 3 + 2] != ':' && text[i * 3 + 2] != '-') return std::nullopt;
    mac[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  return mac;
}

std::string MacText(const yov::Mac& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

std::optional<yov::Ipv4> ParseIpv4(std::string_view text) {
  in_addr a{};
  if (inet_pton(AF_INET, std::string(text).c_str(), &a) != 1) return std::nullopt;
  return a.s_addr;
}

std::string Ipv4Text(yov::Ipv4 address) {
  char text[INET_ADDRSTRLEN];
  in_addr a{};
  a.s_addr = address;
  return inet_ntop(AF_INET, &a, text, sizeof text);
}

std::string EndpointText(yov::Ipv4 address, uint16_t port) {
  return Ipv4Text(address) + ":" + std::to_string(port);
}

std::string HexText(const uint8_t* data, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out(size * 2, '0');
  for (size_t i = 0; i < size; ++i) {
    out[2 * i] = kDigits[data[i] >> 4];
    out[2 * i + 1] = kDigits[data[i] & 15];
  }
  return out;
}

std::optional<std::vector<uint8_t>> ParseHex(std::string_view text) {
  std::vector<uint8_t> out;
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == ':') continue;
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    if (high < 0) {
      high = d;
    } else {
      out.push_back(static_cast<uint8_t>(high * 16 + d));
      high = -1;
    }
  }
  if (high >= 0) return std::nullopt;
  return out;
}

}  // namespace camsim
