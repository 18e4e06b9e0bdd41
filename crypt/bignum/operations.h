// The implementations behind the entry table. The public functions in bignum.h reach these only
// through their bound entries (see entrypoints.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "crypt/bignum/bignum.h"

namespace bn::ops {

std::string Str(const BigInteger& x);
BigInteger Random2(std::int32_t n);
bool IsItPrime(const BigInteger& x, std::int32_t numTrials);
BigInteger PowerMod(const BigInteger& b, const BigInteger& m, std::int32_t k, const BigInteger& n);
BigInteger GCD(const BigInteger& x, const BigInteger& y);
BigInteger InvMod(const BigInteger& x, const BigInteger& y);
std::int32_t NumBits(const BigInteger& x);
std::string ConvBase(std::string_view inStr, std::int32_t baseTo, std::int32_t baseFrom,
                     std::int32_t numPlaces, bool toUpperCase);
void ResetSeed(std::int32_t seed);
BigFloat EquateBF_BI(const BigInteger& x);
BigFloat Pow(const BigFloat& x, double y);

BigInteger IntegerFromText(std::string_view inputString);
BigInteger IntegerAdd(const BigInteger& x, std::int32_t y);
BigInteger IntegerSubtract(const BigInteger& x, std::int32_t y);
BigInteger IntegerMultiplyRight(const BigInteger& x, std::int32_t y);
BigInteger IntegerDivide(const BigInteger& x, std::int32_t y);
BigInteger IntegerSubtractInteger(const BigInteger& x, const BigInteger& y);
BigInteger IntegerMultiplyInteger(const BigInteger& x, const BigInteger& y);
std::int32_t IntegerCompare(const BigInteger& x, std::int32_t y);
std::int32_t IntegerCompareInteger(const BigInteger& x, const BigInteger& y);

BigFloat FloatMultiplyRight(const BigFloat& x, std::int32_t y);
BigFloat FloatDivide(const BigFloat& x, std::int32_t y);
std::int32_t FloatCompare(const BigFloat& x, const BigFloat& y);

}  // namespace bn::ops
