// Arithmetic and comparison on BigInteger.
#include <cstdlib>

#include "crypt/bignum/operations.h"
#include "crypt/bignum/values.h"

namespace bn::ops {

namespace {

// y is a long so that negating any 32-bit value cannot overflow.
void AddSigned(mpz_ptr r, mpz_srcptr x, long y) {
  if (y >= 0) {
    mpz_add_ui(r, x, static_cast<unsigned long>(y));
  } else {
    mpz_sub_ui(r, x, static_cast<unsigned long>(-y));
  }
}

}  // namespace

BigInteger IntegerAdd(const BigInteger& x, std::int32_t y) {
  return MakeInteger([&](mpz_ptr r) { AddSigned(r, Value(x), y); });
}

BigInteger IntegerSubtract(const BigInteger& x, std::int32_t y) {
  return MakeInteger([&](mpz_ptr r) { AddSigned(r, Value(x), -static_cast<long>(y)); });
}

BigInteger IntegerMultiplyRight(const BigInteger& x, std::int32_t y) {
  return MakeInteger([&](mpz_ptr r) { mpz_mul_si(r, Value(x), y); });
}

BigInteger IntegerDivide(const BigInteger& x, std::int32_t y) {
  if (y == 0) throw fpDivideByZeroException();
  return MakeInteger([&](mpz_ptr r) {
    // Truncating division is symmetric in the divisor's sign: x / -d == -(x / d).
    mpz_tdiv_q_ui(r, Value(x), static_cast<unsigned long>(std::labs(y)));
    if (y < 0) mpz_neg(r, r);
  });
}

BigInteger IntegerSubtractInteger(const BigInteger& x, const BigInteger& y) {
  return MakeInteger([&](mpz_ptr r) { mpz_sub(r, Value(x), Value(y)); });
}

BigInteger IntegerMultiplyInteger(const BigInteger& x, const BigInteger& y) {
  return MakeInteger([&](mpz_ptr r) { mpz_mul(r, Value(x), Value(y)); });
}

std::int32_t IntegerCompare(const BigInteger& x, std::int32_t y) {
  const int c = mpz_cmp_si(Value(x), y);
  return (c > 0) - (c < 0);
}

std::int32_t IntegerCompareInteger(const BigInteger& x, const BigInteger& y) {
  const int c = mpz_cmp(Value(x), Value(y));
  return (c > 0) - (c < 0);
}

}  // namespace bn::ops
