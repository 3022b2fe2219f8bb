// Scramble and Unscramble.
#include "security/scrambling.h"

namespace yov {
namespace {

// b[i] ^= b[i+1], ascending, so each byte meets its neighbour's old value.
void Chain(MutableBytes b) {
  for (size_t i = 0; i + 1 < b.size(); ++i) b[i] ^= b[i + 1];
}

// Undoes Chain: the last byte is unchanged by it, so rebuild from the end.
void ReverseChain(MutableBytes b) {
  for (size_t i = b.size(); i > 1; --i) b[i - 2] ^= b[i - 1];
}

void XorAll(MutableBytes b, uint8_t k) {
  for (uint8_t& x : b) x ^= k;
}

}  // namespace

void Scramble(MutableBytes b) {
  XorAll(b, 0xFF);
  Chain(b);
  XorAll(b, 0xAA);
  Chain(b);
  XorAll(b, 0x55);
  Chain(b);
}

void Unscramble(MutableBytes b) {
  ReverseChain(b);
  XorAll(b, 0x55);
  ReverseChain(b);
  XorAll(b, 0xAA);
  ReverseChain(b);
  XorAll(b, 0xFF);
}

}  // namespace yov
