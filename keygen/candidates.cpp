#include "keygen/candidates.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

namespace keygen {
namespace {

using bn::BigInteger;

constexpr std::int32_t kPrimeTrials = 30;

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

}  // namespace

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

SmallFactorSieve::SmallFactorSieve(const BigInteger& start, std::int64_t window,
                                   std::span<const std::uint32_t> primes)
    : marked_(window) {
  const std::vector<std::uint32_t> digits = Digits32(start);
  for (const std::uint64_t prime : primes) {
    std::uint64_t residue = 0;
    for (const std::uint64_t digit : digits) residue = (residue << 32 | digit) % prime;
    // start + 2j is a multiple of prime when j = -residue / 2 (mod prime).
    const std::uint64_t halfModPrime = (prime + 1) / 2;
    for (std::uint64_t j = (prime - residue) % prime * halfModPrime % prime; j < marked_.size();
         j += prime)
      marked_[j] = true;
  }
}

Candidates Candidates::Upward(BigInteger draw, std::int64_t window) {
  if (2 * (draw / 2) == draw) draw = draw + 1;
  return Candidates(std::move(draw), 1, window);
}

Candidates Candidates::Downward(BigInteger odd, std::int64_t window) {
  return Candidates(std::move(odd), -1, window);
}

bool Candidates::CurrentIsPrime() const {
  if (sieve_ && sieve_->HasSmallFactor(step_)) return false;
  return bn::fpIsItPrime(current_, kPrimeTrials);
}

void Candidates::Step() {
  current_ = current_ + 2 * direction_;
  if (!sieve_) return;
  step_ += direction_;
  if (step_ < 0 || step_ == window_) Sieve();
}

Candidates::Candidates(BigInteger start, std::int32_t direction, std::int64_t window)
    : current_(std::move(start)),
      primes_(SievingPrimesFor(bn::fpNumBits(current_))),
      direction_(direction),
      window_(window) {
  Sieve();
}

// The window ends at the current candidate when walking down, so that it
// covers the candidates to come either way.
void Candidates::Sieve() {
  if (primes_.empty()) return;
  step_ = direction_ > 0 ? 0 : window_ - 1;
  sieve_.emplace(current_ - 2 * static_cast<std::int32_t>(step_), window_, primes_);
}

}  // namespace keygen
