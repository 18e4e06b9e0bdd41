// Keys for tests and benchmarks.
#pragma once

#include <string>

#include "crypt/bignum/bignum.h"

struct TestKey {
  bn::BigInteger n, e, d;
};

inline bn::BigInteger NextProbablePrime(bn::BigInteger x) {
  if (x - 2 * (x / 2) == 0) x = x + 1;
  while (!bn::fpIsItPrime(x, 30)) x = x + 2;
  return x;
}

// e = 65537 and a modulus of exactly the given bits, drawn from a seeded stream
// so it is the same on every run.
inline TestKey MakeTestKey(int bits) {
  bn::fpResetSeed(bits);
  const bn::BigInteger e("65537");
  for (;;) {
    const auto p = NextProbablePrime(bn::fpRandom2(bits / 2));
    const auto q = NextProbablePrime(bn::fpRandom2(bits - bits / 2));
    const auto d = bn::fpInvMod(e, (p - 1) * (q - 1));
    if (bn::fpNumBits(p * q) == bits && d != 0 && p != q) return {p * q, e, d};
  }
}

inline bn::BigInteger PowerOfTwo(int exponent) {
  return bn::BigInteger(bn::fpConvBase("1" + std::string(exponent, '0'), 10, 2, 0, false));
}

// The phi of the largest primes that draws of k and k + 1 bits reach: the first
// probable primes at or above 2^k - 1 and 2^(k+1) - 1.
inline bn::BigInteger LargestPhi(int k) {
  return (NextProbablePrime(PowerOfTwo(k + 1) - 1) - 1) *
         (NextProbablePrime(PowerOfTwo(k) - 1) - 1);
}
