// The search behind the key-generation window's Go button: two random draws
// stepped to probable primes, whole attempts repeated until a key set passes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "crypt/bignum/bignum.h"

namespace keygen {

// An accepted key set. q is the first prime drawn (k bits), p the second (k + 1 bits).
struct KeySet {
  bn::BigInteger q, p, n, d;
};

// What a running search tells its caller, who gives the event loop a turn in
// each call. Returning false ends the search at once.
struct SearchProgress {
  // After every rejected candidate, with the rejections so far for the prime being sought.
  std::function<bool(std::int32_t count)> candidateRejected;
  // At the end of every attempt, accepted or not.
  std::function<bool()> attemptEnded;
};

// The seed that makes fpResetSeed draw a fresh one from the operating system.
inline constexpr std::int32_t kFreshSeed = 0;

// False when no pair of primes that draws of k and k + 1 bits can reach is
// accepted with exponent e, so a search could never end. Exact for k up to 12;
// above that an even e and an e that no reachable phi exceeds are refused.
bool KeySetPossible(std::int32_t k, const bn::BigInteger& e);

// Reseeds the generator with seed, then runs attempts until one is accepted.
// Empty when progress ended the search first.
std::optional<KeySet> SearchKeySet(std::int32_t k, const bn::BigInteger& e, std::int32_t seed,
                                   const SearchProgress& progress);

}  // namespace keygen
