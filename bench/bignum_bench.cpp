// Measures what the big-number component adds over bare GMP on the calls that matter for RSA:
// modular exponentiation and base conversion of full-size numbers. Runs are interleaved so
// both sides see the same machine state; the median of each side is reported.
#include <gmp.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "crypt/bignum/bignum.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::TimeBatch;

constexpr int kRuns = 51;

bn::EntryPoint OwnEntry(std::string_view declaration) {
  for (const bn::Export& e : bn::Exports()) {
    if (e.declaration == declaration) return e.entry;
  }
  return nullptr;
}

// Keeps results observable so the calls cannot be optimised away.
std::size_t gSink = 0;

void Compare(const char* name, int bits, const std::function<void()>& component,
             const std::function<void()>& bare, int batch) {
  std::vector<double> componentTimes, bareTimes;
  for (int run = 0; run < kRuns; ++run) {
    componentTimes.push_back(TimeBatch(component, batch));
    bareTimes.push_back(TimeBatch(bare, batch));
  }
  const double c = Median(componentTimes), b = Median(bareTimes);
  std::printf("%-14s %4d bits  component %10.2f us  bare %10.2f us  ratio %.3f\n", name, bits,
              c * 1e6, b * 1e6, c / b);
}

// A bare mpz read from decimal text.
struct Mpz {
  explicit Mpz(const std::string& decimal) { mpz_init_set_str(value, decimal.c_str(), 10); }
  ~Mpz() { mpz_clear(value); }
  Mpz(const Mpz&) = delete;
  Mpz& operator=(const Mpz&) = delete;
  mpz_t value;
};

void BenchPowerMod(int bits) {
  const bn::BigInteger n = 2 * bn::fpRandom2(bits - 1) + 1;  // odd, like an RSA modulus
  const bn::BigInteger b = bn::fpRandom2(bits - 1);
  const bn::BigInteger m = bn::fpRandom2(bits);
  const Mpz bareN(bn::Str(n)), bareB(bn::Str(b)), bareM(bn::Str(m));
  Mpz result("0");
  Compare(
      "fpPowerMod", bits, [&] { gSink += bn::fpNumBits(bn::fpPowerMod(b, m, 0, n)); },
      [&] {
        mpz_powm(result.value, bareB.value, bareM.value, bareN.value);
        gSink += mpz_size(result.value);
      },
      bits == 2048 ? 4 : 1);
}

void BenchConversion(const char* name, int bits, const std::string& text, int baseTo,
                     int baseFrom) {
  Mpz scratch("0");
  std::string buffer(text.size() * 4 + 2, '\0');
  Compare(
      name, bits, [&] { gSink += bn::fpConvBase(text, baseTo, baseFrom, 0, false).size(); },
      [&] {
        mpz_set_str(scratch.value, text.c_str(), baseFrom);
        mpz_get_str(buffer.data(), baseTo, scratch.value);
        gSink += static_cast<unsigned char>(buffer[0]);
      },
      200);
}

}  // namespace

int main() {
  bn::BindEntryPoints(OwnEntry);
  bn::fpResetSeed(2048);
  for (const int bits : {2048, 4096}) {
    BenchPowerMod(bits);
    const std::string decimal = bn::Str(bn::fpRandom2(bits));
    const std::string base36 = bn::fpConvBase(decimal, 36, 10, 0, false);
    BenchConversion("base 10 -> 36", bits, decimal, 36, 10);
    BenchConversion("base 36 -> 10", bits, base36, 10, 36);
    BenchConversion("base 10 -> 16", bits, decimal, 16, 10);
  }
  return gSink == 0;  // never true; keeps the results alive
}
