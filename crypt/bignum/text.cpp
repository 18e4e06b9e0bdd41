// Reading and writing BigInteger as text in bases 2 to 36.
#include <gmpxx.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "crypt/bignum/operations.h"
#include "crypt/bignum/values.h"

namespace bn::ops {

namespace {

constexpr int kMinBase = 2;
constexpr int kMaxBase = 36;
constexpr int kNotADigit = kMaxBase;

constexpr std::array<signed char, 256> kDigitValue = [] {
  std::array<signed char, 256> table{};
  table.fill(kNotADigit);
  for (int i = 0; i < 10; ++i) table['0' + i] = static_cast<signed char>(i);
  for (int i = 0; i < 26; ++i) {
    table['a' + i] = static_cast<signed char>(10 + i);
    table['A' + i] = static_cast<signed char>(10 + i);
  }
  return table;
}();

// Skipped wherever they stand in a number: the ASCII blanks and line breaks,
// and the Unicode ones that text areas and pasted text carry (next line, the
// no-break, typographic and ideographic spaces, line and paragraph
// separators), in UTF-8.
constexpr std::string_view kBlanks[] = {
    " ",      "\t",     "\n",     "\v",     "\f",     "\r",     "\u0085", "\u00A0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
    "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};

std::size_t BlankLength(std::string_view text) {
  for (const std::string_view blank : kBlanks)
    if (text.starts_with(blank)) return blank.size();
  return 0;
}

// GMP reads a text as it stands when it is ASCII with no NUL: it skips the
// ASCII blanks, as we do, and takes a leading "-". Outside ASCII its blanks
// follow the process locale, and a NUL would end its C string early.
bool GmpReadsAlike(std::string_view text) {
  // byte | (byte - 1) has its top bit set exactly for NUL and the bytes above 127.
  unsigned char bits = 0;
  for (const unsigned char byte : text) bits |= byte | static_cast<unsigned char>(byte - 1);
  return bits < 0x80;
}

// Our own pass, for what GMP refuses: blanks anywhere, Unicode ones too, a
// "-" after leading blanks, and an empty text as zero. mpz_set_str gets the
// sign and digits alone and sizes its own buffer.
bool ReadCharacterByCharacter(mpz_ptr r, std::string_view text, int base) {
  std::string number;
  number.reserve(text.size());
  while (!text.empty()) {
    const char ch = text.front();
    if (kDigitValue[static_cast<unsigned char>(ch)] < base || (ch == '-' && number.empty())) {
      number += ch;
    } else if (const std::size_t blank = BlankLength(text)) {
      text.remove_prefix(blank);
      continue;
    } else {
      return false;
    }
    text.remove_prefix(1);
  }
  if (number.empty()) {
    mpz_set_ui(r, 0);
    return true;
  }
  return mpz_set_str(r, number.c_str(), base) == 0;  // a lone sign is not a number
}

// Reads text in base into r; false when it is not a number in that base. An
// empty text is zero. GMP alone reads nearly every text; what it refuses is
// read again by our pass, which decides.
bool Read(mpz_ptr r, std::string_view text, int base) {
  return (GmpReadsAlike(text) && mpz_set_str(r, std::string(text).c_str(), base) == 0) ||
         ReadCharacterByCharacter(r, text, base);
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
  bool read = false;
  BigInteger value = MakeInteger([&](mpz_ptr r) { read = Read(r, inputString, 10); });
  if (!read) throw fpBadInputException("The text is not a whole decimal number.");
  return value;
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

  mpz_class value;
  if (!Read(value.get_mpz_t(), inStr, baseFrom)) {
    throw fpBadInputException("The text is not a number in base " + std::to_string(baseFrom) + ".");
  }
  return Write(value.get_mpz_t(), toUpperCase ? -baseTo : baseTo,
               static_cast<std::size_t>(numPlaces));
}

}  // namespace bn::ops

namespace bn {

bool IsBlank(std::string_view text) {
  while (const std::size_t blank = ops::BlankLength(text)) text.remove_prefix(blank);
  return text.empty();
}

}  // namespace bn
