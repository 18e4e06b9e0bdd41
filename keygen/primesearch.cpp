#include "keygen/primesearch.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string>
#include <vector>

namespace keygen {
namespace {

using bn::BigInteger;

constexpr std::int32_t kPrimeTrials = 30;
constexpr std::int32_t kListedBits = 12;

BigInteger PowerOfTwo(std::int32_t exponent) {
  return BigInteger(bn::fpConvBase("1" + std::string(exponent, '0'), 10, 2, 0, false));
}

bn::BigFloat FourthRoot(const BigInteger& x) {
  return bn::fpPow(bn::fpEquateBF_BI(x), 0.25);
}

// One attempt's numbers, formed in the search's order: d before any test.
struct Attempt {
  Attempt(BigInteger q, BigInteger p, const BigInteger& e)
      : q(std::move(q)),
        p(std::move(p)),
        phi((this->p - 1) * (this->q - 1)),
        n(this->p * this->q),
        d(bn::fpInvMod(e, phi)) {}

  bool Accepted(const BigInteger& e) const {
    if (!(e < phi) || bn::fpGCD(e, phi) != 1) return false;
    if (!(bn::fpEquateBF_BI(p - q) > 2 * FourthRoot(n))) return false;
    return p > 2 * q || bn::fpEquateBF_BI(d) > FourthRoot(n) / 3;
  }

  BigInteger q, p, phi, n, d;
};

// --- Sieving by small primes ---
//
// The probable-prime test rejects every candidate with a small factor, so
// finding that factor first spares the test without changing a verdict: the
// candidates, their order and the count of rejections stay the same.

constexpr std::uint32_t kLargestSievingPrime = 1u << 22;

// The odd primes up to kLargestSievingPrime, found once. Never resized, so
// spans into it stay valid under a search nested in an event-loop turn.
const std::vector<std::uint32_t>& SievingPrimes() {
  static const std::vector<std::uint32_t> primes = [] {
    std::vector<bool> composite(kLargestSievingPrime + 1);
    std::vector<std::uint32_t> found;
    for (std::uint32_t i = 3; i <= kLargestSievingPrime; i += 2) {
      if (composite[i]) continue;
      found.push_back(i);
      for (std::uint64_t j = std::uint64_t{i} * i; j <= kLargestSievingPrime; j += 2 * i)
        composite[j] = true;
    }
    return found;
  }();
  return primes;
}

// How far to sieve candidates of the given size: a modular exponentiation
// grows faster with the size than the remainders do, so larger numbers sieve
// further. Small numbers are not sieved (a candidate could be a sieving prime).
std::span<const std::uint32_t> SievingPrimesFor(std::int32_t bits) {
  if (bits < 64) return {};
  const std::uint64_t limit = std::clamp<std::uint64_t>(
      static_cast<std::uint64_t>(bits) * bits / 16, 1u << 12, kLargestSievingPrime);
  const auto& primes = SievingPrimes();
  return {primes.begin(), std::upper_bound(primes.begin(), primes.end(), limit)};
}

// The number's 32-bit digits, most significant first.
std::vector<std::uint32_t> Digits32(const BigInteger& x) {
  const std::string hex = bn::fpConvBase(bn::Str(x), 16, 10, 0, false);
  std::vector<std::uint32_t> digits;
  std::size_t end = hex.size() % 8 == 0 ? 8 : hex.size() % 8;
  for (std::size_t begin = 0; begin < hex.size(); begin = end, end += 8) {
    std::uint32_t digit = 0;
    std::from_chars(hex.data() + begin, hex.data() + end, digit, 16);
    digits.push_back(digit);
  }
  return digits;
}

// Which of the odd numbers start, start + 2, ... start + 2 (kWindow - 1) have a
// factor among primes; start must exceed them all.
class SmallFactorSieve {
 public:
  static constexpr std::int64_t kWindow = 4096;

  SmallFactorSieve(const BigInteger& start, std::span<const std::uint32_t> primes)
      : marked_(kWindow) {
    const std::vector<std::uint32_t> digits = Digits32(start);
    for (const std::uint64_t prime : primes) {
      std::uint64_t residue = 0;
      for (const std::uint64_t digit : digits) residue = (residue << 32 | digit) % prime;
      // start + 2j is a multiple of prime when j = -residue / 2 (mod prime).
      const std::uint64_t halfModPrime = (prime + 1) / 2;
      for (std::uint64_t j = (prime - residue) % prime * halfModPrime % prime; j < kWindow;
           j += prime)
        marked_[j] = true;
    }
  }

  bool HasSmallFactor(std::int64_t step) const { return marked_[step]; }

 private:
  std::vector<bool> marked_;
};

// The odd candidates upward from a draw: an even draw becomes odd, then +2 each step.
class Candidates {
 public:
  explicit Candidates(BigInteger draw)
      : current_(std::move(draw)), primes_(SievingPrimesFor(bn::fpNumBits(current_))) {
    if (2 * (current_ / 2) == current_) current_ = current_ + 1;
    Sieve();
  }

  const BigInteger& Current() const { return current_; }

  bool CurrentIsPrime() const {
    if (sieve_ && sieve_->HasSmallFactor(step_)) return false;
    return bn::fpIsItPrime(current_, kPrimeTrials);
  }

  void Step() {
    current_ = current_ + 2;
    if (sieve_ && ++step_ == SmallFactorSieve::kWindow) Sieve();
  }

 private:
  void Sieve() {
    if (primes_.empty()) return;
    sieve_.emplace(current_, primes_);
    step_ = 0;
  }

  BigInteger current_;
  std::span<const std::uint32_t> primes_;
  std::optional<SmallFactorSieve> sieve_;
  std::int64_t step_ = 0;
};

// A draw of the given bits stepped to a probable prime. The count of rejected
// candidates is reported after each next candidate has been tested.
std::optional<BigInteger> FindPrime(std::int32_t bits, const SearchProgress& progress) {
  Candidates candidates(bn::fpRandom2(bits));
  bool isPrime = candidates.CurrentIsPrime();
  std::int32_t counter = 0;
  while (!isPrime) {
    candidates.Step();
    isPrime = candidates.CurrentIsPrime();
    ++counter;
    if (!progress.candidateRejected(counter)) return std::nullopt;
  }
  return candidates.Current();
}

BigInteger FirstPrimeFrom(BigInteger x) {
  Candidates candidates(std::move(x));
  while (!candidates.CurrentIsPrime()) candidates.Step();
  return candidates.Current();
}

// --- Which inputs can end ---
//
// A draw of b bits lies in [2^(b-1), 2^b - 1] and steps up to the next prime,
// so the primes a search can reach are those in [2^(b-1) + 1, 2^b - 1] and the
// first prime at or above 2^b - 1, which may lie past 2^b.

// Every prime a draw of the given bits can reach, largest first.
std::vector<BigInteger> ReachablePrimes(std::int32_t bits) {
  const BigInteger largestDraw = PowerOfTwo(bits) - 1;
  std::vector<BigInteger> primes;
  for (BigInteger x = PowerOfTwo(bits - 1) + 1;; x = x + 2) {
    if (!bn::fpIsItPrime(x, kPrimeTrials)) continue;
    primes.push_back(x);
    if (x >= largestDraw) break;
  }
  std::reverse(primes.begin(), primes.end());
  return primes;
}

bool AnyReachablePairAccepted(std::int32_t k, const BigInteger& e) {
  const std::vector<BigInteger> qs = ReachablePrimes(k), ps = ReachablePrimes(k + 1);
  for (const BigInteger& q : qs) {
    for (const BigInteger& p : ps) {
      if ((p - 1) * (q - 1) <= e) break;  // phi only falls with p from here
      if (Attempt(q, p, e).Accepted(e)) return true;
    }
  }
  return false;
}

}  // namespace

// p and q are odd, so phi is a multiple of 4 and an even e always shares a
// factor with it. Up to kListedBits every reachable pair is tried, which also
// covers the gap test, the bound on d and common factors at the smallest sizes.
// Above it, the largest reachable phi comes from the largest draws stepped:
// (pmax - 1)(qmax - 1) with pmax, qmax the first primes at or above 2^(k+1) - 1
// and 2^k - 1. It is at least (2^(k+1) - 2)(2^k - 2) >= 2^(2k) for k >= 3, so an
// e of at most 2k bits is below it; only a longer e needs pmax and qmax found.
// Above kListedBits an odd e below the largest phi passes even if common factors
// block every pair above it; that takes an e near the largest phi, where only a
// few unlikely draws would do anyway, and closing the window ends such a search.
bool KeySetPossible(std::int32_t k, const BigInteger& e) {
  if (2 * (e / 2) == e) return false;
  if (k <= kListedBits) return AnyReachablePairAccepted(k, e);
  if (bn::fpNumBits(e) <= 2 * std::int64_t{k}) return true;
  return e < (FirstPrimeFrom(PowerOfTwo(k + 1) - 1) - 1) * (FirstPrimeFrom(PowerOfTwo(k) - 1) - 1);
}

std::optional<KeySet> SearchKeySet(std::int32_t k, const BigInteger& e, std::int32_t seed,
                                   const SearchProgress& progress) {
  bn::fpResetSeed(seed);
  for (;;) {
    const std::optional<BigInteger> q = FindPrime(k, progress);
    if (!q) return std::nullopt;
    const std::optional<BigInteger> p = FindPrime(k + 1, progress);
    if (!p) return std::nullopt;
    const Attempt attempt(*q, *p, e);
    const bool accepted = attempt.Accepted(e);
    if (!progress.attemptEnded()) return std::nullopt;
    if (accepted) return KeySet{attempt.q, attempt.p, attempt.n, attempt.d};
  }
}

}  // namespace keygen
