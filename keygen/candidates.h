// Odd candidates for a prime, walked by 2 and sieved by small primes before
// each probable-prime test.
//
// The probable-prime test rejects every candidate with a small factor, so
// finding that factor first spares the test without changing a verdict: the
// candidates, their order and the count of rejections stay the same.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "crypt/bignum/bignum.h"

namespace keygen {

inline constexpr std::uint32_t kLargestSievingPrime = 1u << 22;

// The odd primes up to kLargestSievingPrime, found once. Never resized, so
// spans into it stay valid under a search nested in an event-loop turn.
const std::vector<std::uint32_t>& SievingPrimes();

// Which of the odd numbers start, start + 2, ... start + 2 (window - 1) have a
// factor among primes; start must exceed them all.
class SmallFactorSieve {
 public:
  static constexpr std::int64_t kWindow = 4096;

  SmallFactorSieve(const bn::BigInteger& start, std::int64_t window,
                   std::span<const std::uint32_t> primes);

  bool HasSmallFactor(std::int64_t step) const { return marked_[step]; }

 private:
  std::vector<bool> marked_;
};

// Odd candidates from a start, upward or downward by 2, each sieved before its
// probable-prime test. The sieve covers window candidates at a time.
class Candidates {
 public:
  // Upward from a draw: an even draw becomes odd, then +2 each step.
  static Candidates Upward(bn::BigInteger draw, std::int64_t window = SmallFactorSieve::kWindow);
  // Downward from an odd number, -2 each step.
  static Candidates Downward(bn::BigInteger odd, std::int64_t window = SmallFactorSieve::kWindow);

  const bn::BigInteger& Current() const { return current_; }
  bool CurrentIsPrime() const;
  void Step();

 private:
  Candidates(bn::BigInteger start, std::int32_t direction, std::int64_t window);

  void Sieve();

  bn::BigInteger current_;
  std::span<const std::uint32_t> primes_;
  std::int32_t direction_;
  std::int64_t window_;
  std::optional<SmallFactorSieve> sieve_;
  std::int64_t step_ = 0;
};

}  // namespace keygen
