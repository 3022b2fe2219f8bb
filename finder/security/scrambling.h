// The keyless byte scrambling applied to the key fields of the secure WPS exchange.
#pragma once

#include "landap/byte_codec.h"

namespace yov {

// In place: invert, chain, XOR 0xAA, chain, XOR 0x55, chain. A chain sets each byte to itself
// XOR its right neighbour (as it was before the pass), first to last.
void Scramble(MutableBytes span);
// The exact inverse of Scramble, in place.
void Unscramble(MutableBytes span);

}  // namespace yov
