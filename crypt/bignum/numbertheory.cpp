// Primality, modular arithmetic and bit counts on BigInteger.
#include <limits>

#include "crypt/bignum/operations.h"
#include "crypt/bignum/values.h"

namespace bn::ops {

namespace {

// A read-only view of |x| that shares x's limbs, so no copy is made.
mpz_srcptr Absolute(mpz_ptr view, mpz_srcptr x) {
  return mpz_roinit_n(view, mpz_limbs_read(x), static_cast<mp_size_t>(mpz_size(x)));
}

}  // namespace

bool IsItPrime(const BigInteger& x, std::int32_t numTrials) {
  if (mpz_cmp_si(Value(x), 2) < 0) return false;
  return mpz_probab_prime_p(Value(x), numTrials) != 0;
}

// GMP aborts the process on a zero modulus or a missing inverse, so both are refused first.
BigInteger PowerMod(const BigInteger& b, const BigInteger& m, std::int32_t /*k*/,
                    const BigInteger& n) {
  if (mpz_sgn(Value(n)) == 0) throw fpDivideByZeroException("The modulus cannot be zero.");
  mpz_t modulusView;
  const mpz_srcptr modulus = Absolute(modulusView, Value(n));
  if (mpz_sgn(Value(m)) >= 0) {
    return MakeInteger([&](mpz_ptr r) { mpz_powm(r, Value(b), Value(m), modulus); });
  }
  return MakeInteger([&](mpz_ptr r) {
    if (mpz_invert(r, Value(b), modulus) == 0) {
      throw fpNegativeNumberException(
          "The number has no inverse for this modulus, so it cannot be raised to a negative "
          "power.");
    }
    mpz_t exponentView;
    mpz_powm(r, r, Absolute(exponentView, Value(m)), modulus);
  });
}

BigInteger GCD(const BigInteger& x, const BigInteger& y) {
  return MakeInteger([&](mpz_ptr r) { mpz_gcd(r, Value(x), Value(y)); });
}

BigInteger InvMod(const BigInteger& x, const BigInteger& y) {
  if (mpz_sgn(Value(y)) == 0) throw fpDivideByZeroException("The modulus cannot be zero.");
  return MakeInteger([&](mpz_ptr r) {
    if (mpz_invert(r, Value(x), Value(y)) == 0) mpz_set_ui(r, 0);
  });
}

std::int32_t NumBits(const BigInteger& x) {
  if (mpz_sgn(Value(x)) == 0) return 0;
  const std::size_t bits = mpz_sizeinbase(Value(x), 2);
  if (bits > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw fpOverflowOrNegativeException("The number has too many bits to count.");
  }
  return static_cast<std::int32_t>(bits);
}

}  // namespace bn::ops
