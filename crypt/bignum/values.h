// Storage behind BigInteger and BigFloat. Private to the component: only its .cpp files include
// GMP and MPFR.
#pragma once

#include <gmp.h>
#include <mpfr.h>

#include <memory>
#include <utility>

#include "crypt/bignum/bignum.h"

namespace bn {

struct BigInteger::Impl {
  Impl() { mpz_init(value); }
  ~Impl() { mpz_clear(value); }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  mpz_t value;
};

struct BigFloat::Impl {
  explicit Impl(mpfr_prec_t precision) { mpfr_init2(value, precision); }
  ~Impl() { mpfr_clear(value); }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  mpfr_t value;
};

namespace detail {

struct Access {
  static mpz_srcptr Value(const BigInteger& x) {
    static const mpz_t zero = MPZ_ROINIT_N(nullptr, 0);
    return x.impl_ ? x.impl_->value : zero;
  }
  static mpfr_srcptr Value(const BigFloat& x) { return x.impl_->value; }

  // A new value is written once, by fill, before anyone else can see it.
  template <typename Fill>
  static BigInteger MakeInteger(Fill&& fill) {
    auto impl = std::make_shared<BigInteger::Impl>();
    std::forward<Fill>(fill)(impl->value);
    return BigInteger(std::move(impl));
  }
  template <typename Fill>
  static BigFloat MakeFloat(mpfr_prec_t precision, Fill&& fill) {
    auto impl = std::make_shared<BigFloat::Impl>(precision);
    std::forward<Fill>(fill)(impl->value);
    return BigFloat(std::move(impl));
  }
};

}  // namespace detail

inline mpz_srcptr Value(const BigInteger& x) {
  return detail::Access::Value(x);
}
inline mpfr_srcptr Value(const BigFloat& x) {
  return detail::Access::Value(x);
}

template <typename Fill>
BigInteger MakeInteger(Fill&& fill) {
  return detail::Access::MakeInteger(std::forward<Fill>(fill));
}
template <typename Fill>
BigFloat MakeFloat(mpfr_prec_t precision, Fill&& fill) {
  return detail::Access::MakeFloat(precision, std::forward<Fill>(fill));
}

}  // namespace bn
