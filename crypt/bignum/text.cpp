// Reading and writing BigInteger as text in bases 2 to 36.
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "crypt/bignum/operations.h"
#include "crypt/bignum/values.h"

namespace bn::ops {

namespace {

constexpr int kMinBase = 2;
constexpr int kMaxBase = 36;
constexpr signed char kBlank = 64;      // skipped wherever it appears
constexpr signed char kNotADigit = 65;  // refused, except for a leading '-'

constexpr std::array<signed char, 256> kDigitValue = [] {
  std::array<signed char, 256> table{};
  table.fill(kNotADigit);
  for (int i = 0; i < 10; ++i) table['0' + i] = static_cast<signed char>(i);
  for (int i = 0; i < 26; ++i) {
    table['a' + i] = static_cast<signed char>(10 + i);
    table['A' + i] = static_cast<signed char>(10 + i);
  }
  for (unsigned char blank : {' ', '\t', '\r', '\n'}) table[blank] = kBlank;
  return table;
}();

// Reads text in base; nothing when it is not a number in that base. This is the only pass over
// the text: the digit values go straight to mpn_set_str, which mpz_set_str would reach only
// after a scan of its own.
std::optional<BigInteger> Read(std::string_view text, int base) {
  const auto digits = std::make_unique_for_overwrite<unsigned char[]>(text.size());
  std::size_t count = 0;
  bool negative = false;
  for (const char ch : text) {
    const signed char value = kDigitValue[static_cast<unsigned char>(ch)];
    if (value < base) {
      digits[count++] = static_cast<unsigned char>(value);
    } else if (value == kBlank) {
      continue;
    } else if (ch == '-' && count == 0 && !negative) {
      negative = true;
    } else {
      return std::nullopt;
    }
  }
  if (negative && count == 0) return std::nullopt;

  std::size_t first = 0;  // mpn_set_str wants the leading digit non-zero
  while (first < count && digits[first] == 0) ++first;
  if (first == count) return BigInteger();

  return MakeInteger([&](mpz_ptr r) {
    // Enough limbs for bit_width(base - 1) >= log2(base) bits per digit.
    const std::size_t bits = (count - first) * std::bit_width(static_cast<unsigned>(base - 1));
    const auto capacity = static_cast<mp_size_t>(bits / GMP_NUMB_BITS + 1);
    const mp_size_t size =
        mpn_set_str(mpz_limbs_write(r, capacity), &digits[first], count - first, base);
    mpz_limbs_finish(r, negative ? -size : size);
  });
}

// base is negative for upper-case letters, as mpz_get_str takes it.
std::string Write(mpz_srcptr x, int base, std::size_t places) {
  // mpz_sizeinbase may count one digit too many; one more byte for the sign.
  std::string text(mpz_sizeinbase(x, std::abs(base)) + 2, '\0');
  mpz_get_str(text.data(), base, x);
  text.resize(std::strlen(text.data()));

  const std::size_t signLength = mpz_sgn(x) < 0 ? 1 : 0;
  const std::size_t digitCount = text.size() - signLength;
  if (places > digitCount) text.insert(signLength, places - digitCount, '0');
  return text;
}

}  // namespace

BigInteger IntegerFromText(std::string_view inputString) {
  std::optional<BigInteger> value = Read(inputString, 10);
  if (!value) throw fpBadInputException("The text is not a whole decimal number.");
  return *std::move(value);
}

std::string Str(const BigInteger& x) {
  return Write(Value(x), 10, 0);
}

std::string ConvBase(std::string_view inStr, std::int32_t baseTo, std::int32_t baseFrom,
                     std::int32_t numPlaces, bool toUpperCase) {
  for (const std::int32_t base : {baseTo, baseFrom}) {
    if (base < kMinBase || base > kMaxBase) {
      throw fpBadInputException("A base must be a whole number from 2 to 36.");
    }
  }
  if (numPlaces < 0) throw fpBadInputException("The number of places cannot be negative.");

  const std::optional<BigInteger> value = Read(inStr, baseFrom);
  if (!value) {
    throw fpBadInputException("The text is not a number in base " + std::to_string(baseFrom) + ".");
  }
  return Write(Value(*value), toUpperCase ? -baseTo : baseTo, static_cast<std::size_t>(numPlaces));
}

}  // namespace bn::ops
