// How long a key number the encryption and decryption windows take.
#pragma once

#include <cstdint>

#include "crypt/bignum/bignum.h"

namespace cipher {

// The longest modulus key generation makes: its longest length, 16384 bits,
// draws primes of 8192 and 8193 bits, whose product lies below 2^16386. A
// modular power of longer numbers holds the window for seconds, and past
// 100,000 digits for minutes, with no way to close it meanwhile.
inline constexpr std::int32_t kLongestKeyBits = 16386;

// True when x, whatever its sign, is longer than any key.
inline bool KeyCodeTooBig(const bn::BigInteger& x) {
  return bn::fpNumBits(x) > kLongestKeyBits;
}

}  // namespace cipher
