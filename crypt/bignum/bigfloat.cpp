// BigFloat: made from a BigInteger or as a power, scaled by and compared with other values.
#include <algorithm>
#include <cmath>
#include <limits>

#include "crypt/bignum/operations.h"
#include "crypt/bignum/values.h"

namespace bn::ops {

namespace {

constexpr mpfr_prec_t kMinPrecision = 64;

// MPFR answers an exponent overflow with infinity; a BigFloat only ever holds a number.
void RequireFinite(mpfr_srcptr r) {
  if (mpfr_inf_p(r)) throw fpOverflowOrNegativeException("The result is too large to hold.");
}

}  // namespace

BigFloat FloatMultiplyRight(const BigFloat& x, std::int32_t y) {
  return MakeFloat(mpfr_get_prec(Value(x)), [&](mpfr_ptr r) {
    mpfr_mul_si(r, Value(x), y, MPFR_RNDN);
    RequireFinite(r);
  });
}

BigFloat FloatDivide(const BigFloat& x, std::int32_t y) {
  if (y == 0) throw fpDivideByZeroException();
  return MakeFloat(mpfr_get_prec(Value(x)),
                   [&](mpfr_ptr r) { mpfr_div_si(r, Value(x), y, MPFR_RNDN); });
}

std::int32_t FloatCompare(const BigFloat& x, const BigFloat& y) {
  const int c = mpfr_cmp(Value(x), Value(y));
  return (c > 0) - (c < 0);
}

BigFloat EquateBF_BI(const BigInteger& x) {
  const auto bits = static_cast<mpfr_prec_t>(mpz_sizeinbase(Value(x), 2));
  return MakeFloat(std::max(kMinPrecision, bits), [&](mpfr_ptr r) {
    mpfr_set_z(r, Value(x), MPFR_RNDN);  // exact at this precision
    RequireFinite(r);
  });
}

BigFloat Pow(const BigFloat& x, double y) {
  if (!std::isfinite(y)) throw fpBadInputException("The power must be a finite number.");
  MPFR_DECL_INIT(exponent, std::numeric_limits<double>::digits);  // any double, exactly
  mpfr_set_d(exponent, y, MPFR_RNDN);
  if (mpfr_sgn(Value(x)) < 0 && !mpfr_integer_p(exponent)) {
    throw fpNegativeNumberException("A negative number has no real power that is a fraction.");
  }
  if (mpfr_zero_p(Value(x)) && y < 0) {
    throw fpDivideByZeroException("Zero cannot be raised to a negative power.");
  }
  return MakeFloat(mpfr_get_prec(Value(x)), [&](mpfr_ptr r) {
    mpfr_pow(r, Value(x), exponent, MPFR_RNDN);
    RequireFinite(r);
  });
}

}  // namespace bn::ops
