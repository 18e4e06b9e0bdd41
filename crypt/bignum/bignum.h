// Big whole numbers and big floating-point numbers for the RSA tools.
//
// Values are immutable: every operation returns a new value and copies share their storage.
// Every operation below is reached through an entry table that must be bound once at start-up
// (see BindEntryPoints); a call through an unbound entry throws fw::NilObjectException.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "crypt/bignum/exceptions.h"

namespace bn {

namespace detail {
struct Access;
}

class BigInteger {
 public:
  BigInteger() = default;  // zero
  // Decimal text with an optional leading "-"; blanks and line breaks are ignored and blank
  // text is zero. Throws fpBadInputException for anything else.
  explicit BigInteger(std::string_view inputString);

  friend BigInteger operator+(const BigInteger& x, std::int32_t y);
  friend BigInteger operator-(const BigInteger& x, std::int32_t y);
  friend BigInteger operator*(std::int32_t x, const BigInteger& y);
  // Quotient truncated toward zero; throws fpDivideByZeroException for y == 0.
  friend BigInteger operator/(const BigInteger& x, std::int32_t y);
  friend BigInteger operator-(const BigInteger& x, const BigInteger& y);
  friend BigInteger operator*(const BigInteger& x, const BigInteger& y);
  friend std::strong_ordering operator<=>(const BigInteger& x, std::int32_t y);
  friend std::strong_ordering operator<=>(const BigInteger& x, const BigInteger& y);
  friend bool operator==(const BigInteger& x, std::int32_t y);
  friend bool operator==(const BigInteger& x, const BigInteger& y);

 private:
  friend struct detail::Access;
  struct Impl;
  explicit BigInteger(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

  std::shared_ptr<const Impl> impl_;  // null for zero
};

// A binary floating-point number of fixed precision, made by fpEquateBF_BI or fpPow.
// Results of * and / keep the operand's precision and are correctly rounded.
class BigFloat {
 public:
  friend BigFloat operator*(std::int32_t x, const BigFloat& y);
  // Throws fpDivideByZeroException for y == 0.
  friend BigFloat operator/(const BigFloat& x, std::int32_t y);
  friend std::partial_ordering operator<=>(const BigFloat& x, const BigFloat& y);
  friend bool operator==(const BigFloat& x, const BigFloat& y);

 private:
  friend struct detail::Access;
  struct Impl;
  explicit BigFloat(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

  std::shared_ptr<const Impl> impl_;  // never null
};

// Decimal text: "-" for negatives, no leading zeros, "0" for zero.
std::string Str(const BigInteger& x);
// A uniformly drawn value of exactly n bits (top bit set); fpNegativeOrZeroException for n < 1.
BigInteger fpRandom2(std::int32_t n);
// False for x < 2; otherwise a probabilistic primality test whose effort numTrials sets
// (15 to 50 is sensible). Carmichael numbers are reported composite like any other.
bool fpIsItPrime(const BigInteger& x, std::int32_t numTrials);
// b^m mod |n|, in [0, |n| - 1]. k is ignored. A negative m uses the inverse of b, and throws
// fpNegativeNumberException when there is none; n == 0 throws fpDivideByZeroException.
BigInteger fpPowerMod(const BigInteger& b, const BigInteger& m, std::int32_t k,
                      const BigInteger& n);
// Never negative; fpGCD(0, 0) is 0.
BigInteger fpGCD(const BigInteger& x, const BigInteger& y);
// The inverse of x modulo |y| in [0, |y| - 1], or 0 when there is none.
// y == 0 throws fpDivideByZeroException.
BigInteger fpInvMod(const BigInteger& x, const BigInteger& y);
// Bit length of |x|; 0 for 0.
std::int32_t fpNumBits(const BigInteger& x);
// Rewrites a number from baseFrom to baseTo (both 2..36). Blanks and line breaks in inStr are
// ignored, letters of either case are read, blank text is zero. The result has no leading zeros
// unless numPlaces > 0 asks to pad to that many digits. Throws fpBadInputException for a bad
// base, a negative numPlaces or a character that is not a digit of baseFrom.
std::string fpConvBase(std::string_view inStr, std::int32_t baseTo, std::int32_t baseFrom,
                       std::int32_t numPlaces, bool toUpperCase);
// Chooses the generator behind fpRandom2. Seed 0 (and the start) draws every bit from the
// operating system's secure generator; any other seed gives a reproducible stream.
void fpResetSeed(std::int32_t seed);
// x exactly, at a precision of max(64, fpNumBits(x)) bits.
BigFloat fpEquateBF_BI(const BigInteger& x);
// x^y correctly rounded at x's precision. Throws fpNegativeNumberException for a negative x with
// a non-integer y, fpDivideByZeroException for 0 to a negative power, fpBadInputException for a
// y that is not finite and fpOverflowOrNegativeException when the result is too large to hold.
BigFloat fpPow(const BigFloat& x, double y);

// The entry table. Exports() lists every operation above by declaration text, in slot order;
// BindEntryPoints asks lookup for each declaration in turn and stores what it returns (a null
// result leaves that slot unbound).
using EntryPoint = void (*)();
struct Export {
  std::string_view declaration;
  EntryPoint entry;
};
std::span<const Export> Exports();
void BindEntryPoints(const std::function<EntryPoint(std::string_view declaration)>& lookup);
void UnbindEntryPoints();

// True when text holds nothing but the blanks and line breaks that reading a number skips, or
// nothing at all. A plain text test, called directly rather than through the entry table.
bool IsBlank(std::string_view text);

}  // namespace bn
