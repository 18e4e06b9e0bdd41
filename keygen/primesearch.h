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
// accepted with an exponent e of at least 3, so that a search could never end.
// An even e, an e too long for any reachable phi and a short e without small
// prime factors are settled at once; any other e walks the reachable pairs from
// the largest primes down, calling eventLoopTurn after every rejected candidate
// and every pair tried. False as well when eventLoopTurn says stop first.
bool KeySetPossible(std::int32_t k, const bn::BigInteger& e,
                    const std::function<bool()>& eventLoopTurn);

// Reseeds the generator with seed, then runs attempts until one is accepted.
// Empty when progress ended the search first.
std::optional<KeySet> SearchKeySet(std::int32_t k, const bn::BigInteger& e, std::int32_t seed,
                                   const SearchProgress& progress);

}  // namespace keygen
