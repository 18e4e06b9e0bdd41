#include "keygen/primesearch.h"

#include <cmath>
#include <string>
#include <vector>

#include "keygen/candidates.h"

namespace keygen {
namespace {

using bn::BigInteger;

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

// A draw of the given bits stepped to a probable prime. The count of rejected
// candidates is reported after each next candidate has been tested.
std::optional<BigInteger> FindPrime(std::int32_t bits, const SearchProgress& progress) {
  Candidates candidates = Candidates::Upward(bn::fpRandom2(bits));
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

// --- Which inputs can end ---
//
// A draw of b bits lies in [2^(b-1), 2^b - 1] and steps up to the next prime,
// so the primes a search can reach are those in [2^(b-1) + 1, 2^b - 1] and the
// first prime at or above 2^b - 1, which may lie past 2^b.

// The caller's event-loop turn, which stays stopped once it has said stop.
class Turns {
 public:
  explicit Turns(const std::function<bool()>& turn) : turn_(turn) {}

  bool Take() { return live_ = live_ && turn_(); }
  bool Stopped() const { return !live_; }

 private:
  const std::function<bool()>& turn_;
  bool live_ = true;
};

// The primes a draw of the given bits can reach, largest first, each found when
// first asked for. Every rejected candidate takes a turn.
class ReachablePrimes {
 public:
  ReachablePrimes(std::int32_t bits, Turns& turns)
      : smallest_(PowerOfTwo(bits - 1) + 1), largestDraw_(PowerOfTwo(bits) - 1), turns_(turns) {}

  // The i-th largest, from 0; empty past the smallest or once the turns stopped.
  std::optional<BigInteger> At(std::size_t i) {
    while (found_.size() <= i) {
      if (!FindNext()) return std::nullopt;
    }
    return found_[i];
  }

 private:
  // The largest is the first prime at or above the largest draw; every other
  // lies below that draw, which is then either not prime or the largest.
  bool FindNext() {
    if (found_.empty()) {
      Candidates upward = Candidates::Upward(largestDraw_);
      return FindFrom(upward);
    }
    if (below_) {
      below_->Step();
    } else {
      below_.emplace(Candidates::Downward(largestDraw_ - 2));
    }
    return FindFrom(*below_);
  }

  // Leaves the candidates at the prime found.
  bool FindFrom(Candidates& candidates) {
    while (candidates.Current() >= smallest_) {
      if (candidates.CurrentIsPrime()) {
        found_.push_back(candidates.Current());
        return true;
      }
      candidates.Step();
      if (!turns_.Take()) return false;
    }
    return false;
  }

  BigInteger smallest_, largestDraw_;
  Turns& turns_;
  std::vector<BigInteger> found_;
  std::optional<Candidates> below_;
};

// Tries the pairs whose phi exceeds e, from the largest primes down, until one
// is accepted or none is left: a p that shares a factor with e fails with
// every q, and once (p - 1)(q - 1) <= e no smaller q can pass. A short e ends
// within a few primes unless its factors bar most of them; an e near the
// largest phi leaves few pairs to try.
bool AnyReachablePairAccepted(std::int32_t k, const BigInteger& e, Turns& turns) {
  ReachablePrimes qs(k, turns), ps(k + 1, turns);
  const std::optional<BigInteger> largestQ = qs.At(0);
  if (!largestQ) return false;
  for (std::size_t i = 0;; ++i) {
    const std::optional<BigInteger> p = ps.At(i);
    if (!p || (*p - 1) * (*largestQ - 1) <= e) return false;
    if (bn::fpGCD(e, *p - 1) != 1) continue;
    for (std::size_t j = 0;; ++j) {
      const std::optional<BigInteger> q = qs.At(j);
      if (!q || (*p - 1) * (*q - 1) <= e) break;
      if (Attempt(*q, *p, e).Accepted(e)) return true;
      if (!turns.Take()) return false;
    }
    if (turns.Stopped()) return false;
  }
}

// --- Exponents that need no walk ---
//
// With x = 2^k, every prime q in (x/2, 3x/4) is a draw of k bits and every
// prime p in (3x/2, 2x) one of k + 1 bits, so both are reachable, and such a
// pair passes every test but the common factor for any e below 2^(2k-1):
//   phi >= (3x/2)(x/2) > 2^(2k-1) > e;
//   2 n^(1/4) < 2 (3x^2/2)^(1/4) < 2.3 sqrt(x) < 3x/4 < p - q for k >= 5;
//   p > 3x/2 > 2q, so d is not bounded.
// It passes when neither p - 1 nor q - 1 is a multiple of a prime factor r of e.
// Of the numbers in an interval of length L, at most L/r + 1 are one above a
// multiple of r, while the primes in it are more than Rosser and Schoenfeld's
// bounds (1962) allow: y / ln y < pi(y) for y >= 17, pi(y) < 1.25506 y / ln y
// for y > 1. When in both intervals the primes outnumber the numbers that e's
// factors bar, some attempt passes and the search ends. The count needs every
// factor of e, so only an e that the sieving primes factor is tried, and
// k >= 5 keeps 3x/4 >= 17.

constexpr std::int32_t kFactoredBits = 44;  // below kLargestSievingPrime squared
constexpr double kPrimeCountCeiling = 1.25506;

// The distinct prime factors of an odd e below 2^kFactoredBits.
std::vector<std::uint64_t> PrimeFactors(std::uint64_t e) {
  std::vector<std::uint64_t> factors;
  for (const std::uint64_t prime : SievingPrimes()) {
    if (prime * prime > e) break;
    if (e % prime != 0) continue;
    factors.push_back(prime);
    while (e % prime == 0) e /= prime;
  }
  if (e > 1) factors.push_back(e);
  return factors;
}

// The fewest primes in (from x, to x), divided by x, for x = 2^k.
double FewestPrimesPerX(double from, double to, std::int32_t k) {
  const auto lnTimesX = [k](double c) { return std::log(c) + k * std::log(2.0); };
  return to / lnTimesX(to) - kPrimeCountCeiling * from / lnTimesX(from);
}

bool FarPairPassesFor(std::int32_t k, const BigInteger& e) {
  const std::int32_t bits = bn::fpNumBits(e);
  if (k < 5 || bits > 2 * k - 1 || bits > kFactoredBits) return false;
  const std::vector<std::uint64_t> factors = PrimeFactors(std::stoull(bn::Str(e)));
  // The numbers one above a multiple of a factor, per x, in an interval of length width x.
  const auto barred = [&](double width) {
    double sum = 0;
    for (const std::uint64_t r : factors)
      sum += width / static_cast<double>(r) + std::ldexp(1.0, -k);
    return sum;
  };
  // A margin far wider than the rounding of doubles.
  constexpr double kMargin = 0.999;
  return barred(0.25) < kMargin * FewestPrimesPerX(0.5, 0.75, k) &&
         barred(0.5) < kMargin * FewestPrimesPerX(1.5, 2, k);
}

}  // namespace

// p and q are odd, so phi is a multiple of 4 and an even e always shares a
// factor with it. By Nagura's bound (1952) a prime lies between y and 6y/5 for
// y >= 25, so for k >= 5 the largest reachable primes are below 1.2 (2^k - 1)
// and 1.2 (2^(k+1) - 1) and every reachable phi is below 1.44 * 2^(2k+1) <
// 2^(2k+2); for k = 2, 3 and 4 the largest phi is 12, 96 and 480. So an e of
// more than 2k + 2 bits is refused before any prime search. A short e may be
// proven to end by counting; any other is settled by walking the pairs.
bool KeySetPossible(std::int32_t k, const BigInteger& e,
                    const std::function<bool()>& eventLoopTurn) {
  if (2 * (e / 2) == e) return false;
  if (bn::fpNumBits(e) > 2 * std::int64_t{k} + 2) return false;
  if (FarPairPassesFor(k, e)) return true;
  Turns turns(eventLoopTurn);
  return AnyReachablePairAccepted(k, e, turns);
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
