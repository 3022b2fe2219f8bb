// The credential fields every authenticated LANDAP request carries: Base64 text in 64 bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "landap/byte_codec.h"

namespace yov {

constexpr size_t kCredentialFieldSize = 64;
// 48 source bytes give exactly 64 Base64 characters; longer text does not fit.
constexpr size_t kCredentialMaxBytes = 48;

using CredentialField = std::array<uint8_t, kCredentialFieldSize>;

// User name and password fields as sent at payload offsets 0 and 64. The change-password
// request carries a second block, the new pair, at offset 128.
struct CredentialBlock {
  CredentialField user{};
  CredentialField password{};
  bool operator==(const CredentialBlock&) const = default;
};
constexpr size_t kCredentialBlockBytes = 2 * kCredentialFieldSize;

// Base64 (RFC 4648 alphabet, "=" padding, no line breaks) of the 8-bit bytes, zero padded.
// Empty text, and text of more than 48 bytes, give an all-zero field.
CredentialField EncodeCredentialField(std::string_view bytes);
// The wide text converted to the ANSI code page first; nullptr (absent) gives all zero.
CredentialField EncodeCredentialText(const std::wstring* text);
// The bytes a field stands for; "" for an all-zero field, nullopt when it is not Base64.
std::optional<std::string> DecodeCredentialField(const CredentialField& field);

CredentialBlock MakeCredentialBlock(const std::wstring* user, const std::wstring* password);
void PutCredentialBlock(MutableBytes out, const CredentialBlock& block);  // 128 bytes
CredentialBlock GetCredentialBlock(Bytes in);                             // 128 bytes

}  // namespace yov
