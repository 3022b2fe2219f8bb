// CameraKeyAgreement: g = 2 in the 1536-bit MODP group, a 1535-bit private value.
#include "camera_key_agreement.h"

#include <openssl/bn.h>

#include <memory>
#include <stdexcept>

namespace camsim {
namespace {

constexpr size_t kField = 192;
// Matching a value one byte short takes about 256 tries; shorter ones (or none at all, when
// the finder's key generation failed) are not worth the time: any key will do then.
constexpr int kMaxKeyTries = 2000;

struct BnFree {
  void operator()(BIGNUM* b) const { BN_clear_free(b); }
};
struct CtxFree {
  void operator()(BN_CTX* c) const { BN_CTX_free(c); }
};
using Bn = std::unique_ptr<BIGNUM, BnFree>;

Bn FromBytes(const std::vector<uint8_t>& b) {
  return Bn(BN_bin2bn(b.data(), static_cast<int>(b.size()), nullptr));
}
std::vector<uint8_t> ToBytes(const BIGNUM* v) {
  std::vector<uint8_t> out(static_cast<size_t>(BN_num_bytes(v)));
  BN_bn2bin(v, out.data());
  return out;
}
std::vector<uint8_t> ToField(const BIGNUM* v) {
  std::vector<uint8_t> out = ToBytes(v);
  out.resize(kField, 0);
  return out;
}

}  // namespace

CameraKeyAgreement::CameraKeyAgreement(yov::Bytes finder_field) {
  size_t n = std::min(finder_field.size(), kField);
  while (n > 0 && finder_field[n - 1] == 0) --n;
  trailing_zeros_ = kField - n;
  finder_value_.assign(finder_field.begin(), finder_field.begin() + n);

  Bn p(BN_get_rfc3526_prime_1536(nullptr)), g(BN_new()), x(BN_new()), y(BN_new());
  std::unique_ptr<BN_CTX, CtxFree> ctx(BN_CTX_new());
  BN_set_word(g.get(), 2);
  for (int i = 0; i < kMaxKeyTries; ++i) {
    if (!BN_priv_rand(x.get(), 1535, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY) ||
        !BN_mod_exp(y.get(), g.get(), x.get(), p.get(), ctx.get()))
      throw std::runtime_error("camera key generation failed");
    if (static_cast<size_t>(BN_num_bytes(y.get())) == n || n + 1 < kField) break;
  }
  private_ = ToBytes(x.get());
  public_field_ = ToField(y.get());
}

bool CameraKeyAgreement::Check(yov::Bytes returned) {
  std::vector<uint8_t> got(returned.begin(), returned.end());
  got.resize(kField, 0);
  Bn p(BN_get_rfc3526_prime_1536(nullptr)), x = FromBytes(private_);
  std::unique_ptr<BN_CTX, CtxFree> ctx(BN_CTX_new());
  // With k more bytes than apparent, the finder's value is F * 256^k and it reads ours as
  // Y * 256^k; its secret (Y * 256^k)^xf equals (F * 256^k)^(x + 8k) since g = 2.
  for (size_t k = 0; k <= trailing_zeros_; ++k) {
    std::vector<uint8_t> value = finder_value_;
    value.resize(value.size() + k, 0);
    Bn f = FromBytes(value), e(BN_dup(x.get())), s(BN_new());
    BN_add_word(e.get(), static_cast<BN_ULONG>(8 * k));
    BN_mod_exp(s.get(), f.get(), e.get(), p.get(), ctx.get());
    if (ToField(s.get()) == got) {
      secret_ = ToBytes(s.get());
      return true;
    }
  }
  return false;
}

}  // namespace camsim
