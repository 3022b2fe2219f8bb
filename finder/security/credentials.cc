// Base64 credential fields through OpenSSL's block encoder.
#include "security/credentials.h"

#include <openssl/evp.h>

#include <algorithm>

#include "api/text_codec.h"

namespace yov {

CredentialField EncodeCredentialField(std::string_view bytes) {
  CredentialField field{};
  if (bytes.empty() || bytes.size() > kCredentialMaxBytes) return field;
  // EVP_EncodeBlock writes 4 characters per 3 bytes and a terminating NUL.
  std::array<unsigned char, kCredentialFieldSize + 1> text{};
  int n = EVP_EncodeBlock(text.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<int>(bytes.size()));
  std::copy_n(text.begin(), n, field.begin());
  return field;
}

CredentialField EncodeCredentialText(const std::wstring* text) {
  if (!text) return {};
  return EncodeCredentialField(WideToAnsi(*text));
}

std::optional<std::string> DecodeCredentialField(const CredentialField& field) {
  size_t len = std::find(field.begin(), field.end(), 0) - field.begin();
  if (len == 0) return std::string();
  if (len % 4 != 0) return std::nullopt;
  std::array<unsigned char, kCredentialFieldSize> out{};
  int n = EVP_DecodeBlock(out.data(), field.data(), static_cast<int>(len));
  if (n < 0) return std::nullopt;
  // EVP_DecodeBlock counts the bytes that "=" padding stands for; drop them.
  size_t pad = (field[len - 1] == '=') + (field[len - 2] == '=');
  return std::string(reinterpret_cast<const char*>(out.data()), n - pad);
}

CredentialBlock MakeCredentialBlock(const std::wstring* user, const std::wstring* password) {
  return {EncodeCredentialText(user), EncodeCredentialText(password)};
}

void PutCredentialBlock(MutableBytes out, const CredentialBlock& block) {
  std::copy(block.user.begin(), block.user.end(), out.begin());
  std::copy(block.password.begin(), block.password.end(), out.begin() + kCredentialFieldSize);
}

CredentialBlock GetCredentialBlock(Bytes in) {
  CredentialBlock block;
  std::copy_n(in.begin(), kCredentialFieldSize, block.user.begin());
  std::copy_n(in.begin() + kCredentialFieldSize, kCredentialFieldSize, block.password.begin());
  return block;
}

}  // namespace yov
