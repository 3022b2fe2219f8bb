// DhKeyPair on OpenSSL big numbers and the library-wide pending key pair.
#include "security/key_agreement.h"

#include <openssl/bn.h>
#include <openssl/rand.h>

#include <cstdio>
#include <mutex>

namespace yov {

struct DhKeyPair::Numbers {
  BIGNUM* p = nullptr;
  BIGNUM* g = nullptr;
  BIGNUM* x = nullptr;
  BIGNUM* y = nullptr;  // g^x mod p
  ~Numbers() {
    BN_free(p);
    BN_free(g);
    BN_clear_free(x);
    BN_free(y);
  }
};

namespace {

// Minimal big-endian bytes of `v` at the start of `out`; -1 when they do not fit.
int WriteMinimal(const BIGNUM* v, MutableBytes out) {
  int n = BN_num_bytes(v);
  if (n < 0 || static_cast<size_t>(n) > out.size()) return -1;
  return BN_bn2bin(v, out.data());
}

struct CtxDeleter {
  void operator()(BN_CTX* c) const { BN_CTX_free(c); }
};
using Ctx = std::unique_ptr<BN_CTX, CtxDeleter>;

}  // namespace

DhKeyPair::DhKeyPair() = default;
DhKeyPair::~DhKeyPair() = default;

bool DhKeyPair::Generate() {
  n_.reset();
  auto n = std::make_unique<Numbers>();
  static const uint8_t kGenerator[4] = {0, 0, 0, 2};
  n->p = BN_get_rfc3526_prime_1536(nullptr);
  n->g = BN_bin2bn(kGenerator, sizeof kGenerator, nullptr);
  n->x = BN_secure_new();
  n->y = BN_new();
  Ctx ctx(BN_CTX_new());
  if (!n->p || !n->g || !n->x || !n->y || !ctx) return false;
  if (!BN_priv_rand(n->x, kDhPrivateBits, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY)) return false;
  if (!BN_mod_exp(n->y, n->g, n->x, n->p, ctx.get())) return false;
  n_ = std::move(n);
  return true;
}

int DhKeyPair::PublicBytes(MutableBytes out) const {
  return n_ ? WriteMinimal(n_->y, out) : -1;
}

int DhKeyPair::Secret(Bytes peer, MutableBytes out) const {
  if (!n_) return -1;
  Ctx ctx(BN_CTX_new());
  BIGNUM* y = BN_bin2bn(peer.data(), static_cast<int>(peer.size()), nullptr);
  BIGNUM* s = BN_secure_new();
  int count = -1;
  if (ctx && y && s && BN_mod_exp(s, y, n_->x, n_->p, ctx.get())) count = WriteMinimal(s, out);
  BN_free(y);
  BN_clear_free(s);
  return count;
}

int DhKeyPair::PrivateBits() const { return n_ ? BN_num_bits(n_->x) : 0; }

namespace {

// One pending pair library-wide; the lock only keeps two finders that run WPS at once from
// corrupting the pointer (their exchanges would still spoil each other's keys).
std::mutex g_pending_mutex;
std::unique_ptr<DhKeyPair> g_pending;

}  // namespace

// The diagnostic lines go to standard error: on standard output they would corrupt the output
// of a program that uses the library (a tool printing JSON, for one).
void GenerateDHPublicKey(MutableBytes out, int32_t& dhkey_len) {
  dhkey_len = 0;
  std::lock_guard lock(g_pending_mutex);
  g_pending.reset();
  auto pair = std::make_unique<DhKeyPair>();
  int count = pair->Generate() ? pair->PublicBytes(out) : -1;
  if (count <= 0) {
    std::fputs("GenerateDHPublicKey EXIT\n", stderr);
    return;
  }
  g_pending = std::move(pair);
  dhkey_len = count;
  std::fprintf(stderr, "GenerateDHPublicKey Success dhkey_len%d\n", dhkey_len);
}

void GenerateDHSecreteKey(Bytes peer, MutableBytes out, int32_t& secret_len) {
  secret_len = 0;
  std::lock_guard lock(g_pending_mutex);
  if (!out.empty() && g_pending) {
    int count = g_pending->Secret(peer, out);
    secret_len = count;  // -1 when the computation failed
    std::fputs("GenerateDHSecreteKey Success\n", stderr);
  }
  g_pending.reset();
  std::fputs("GenerateDHSecreteKey EXIT\n", stderr);
}

void DiscardPendingKeyPair() {
  std::lock_guard lock(g_pending_mutex);
  g_pending.reset();
}

bool HasPendingKeyPair() {
  std::lock_guard lock(g_pending_mutex);
  return g_pending != nullptr;
}

}  // namespace yov
