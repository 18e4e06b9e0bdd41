// What a Go press costs beyond its modular power: each window's real command, with its
// background-task calls, on a 4096-bit key and the longest clear text that key takes, against
// fpPowerMod of the same numbers. Presses and bare powers are interleaved so both see the same
// machine state; medians are reported. Last, the longest freeze a press can still cause: a
// decryption with n and d of the longest key numbers the windows take.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/framework/runtime.h"
#include "bench/offscreen.h"
#include "bench/timing.h"
#include "crypt/bignum/bignum.h"
#include "crypt/keysize.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "tests/support/test_key.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::TimeBatch;

constexpr int kBits = 4096;
constexpr int kRuns = 31;

void Compare(const char* name, const std::function<void()>& press,
             const std::function<void()>& bare, int batch, int runs) {
  std::vector<double> pressTimes, bareTimes;
  for (int run = 0; run < runs; ++run) {
    pressTimes.push_back(TimeBatch(press, batch));
    bareTimes.push_back(TimeBatch(bare, batch));
  }
  const double p = Median(pressTimes), b = Median(bareTimes);
  std::printf("%-8s press %10.1f us  bare power %10.1f us  ratio %6.2f\n", name, p * 1e6, b * 1e6,
              p / b);
}

// A decryption press with n and d of the longest size: no key, since finding two 8193-bit
// primes takes minutes, but numbers of the same length.
void CompareLongestDecryption(class cipher::WindowDe& decoder) {
  const bn::BigInteger n = 2 * bn::fpRandom2(cipher::kLongestKeyBits - 1) + 1;
  const bn::BigInteger d = bn::fpRandom2(cipher::kLongestKeyBits);
  const bn::BigInteger c = bn::fpRandom2(cipher::kLongestKeyBits - 1);
  decoder.TextAreaet().SetText(bn::fpConvBase(bn::Str(c), 36, 10, 0, false));
  decoder.TextArean().SetText(bn::Str(n));
  decoder.TextAread().SetText(bn::Str(d));
  std::printf("%d-bit n and d\n", cipher::kLongestKeyBits);
  Compare(
      "decrypt", [&] { decoder.PushButton1().Push(); }, [&] { bn::fpPowerMod(c, d, 0, n); }, 1, 3);
}

}  // namespace

int main(int argc, char** argv) {
  bench::StartOffscreenRuntime(argc, argv);

  const TestKey key = MakeTestKey(kBits);
  // kBits / 8 characters, the first below 128: the longest text such a modulus always takes.
  std::string clearText;
  for (int i = 0; i < kBits / 8; ++i) clearText += static_cast<char>(' ' + (i * 7) % 95);

  const auto encoder = cipher::WindowEn();
  encoder->TextAreact().SetText(clearText);
  encoder->TextArean().SetText(bn::Str(key.n));
  encoder->TextFielde().SetText(bn::Str(key.e));
  encoder->PushButton1().Push();
  const auto decoder = cipher::WindowDe();
  decoder->TextArean().SetText(bn::Str(key.n));
  decoder->TextAread().SetText(bn::Str(key.d));
  decoder->PushButton1().Push();
  if (decoder->TextAreaOut().Text() != clearText) {
    std::fprintf(stderr, "the clear text did not come back\n");
    return 1;
  }

  std::string hex;
  for (const char ch : clearText) hex += bn::fpConvBase(std::to_string(ch), 16, 10, 2, true);
  const bn::BigInteger m(bn::fpConvBase(hex, 10, 16, 0, true));
  const bn::BigInteger c(bn::fpConvBase(encoder->TextAreaOut().Text(), 10, 36, 0, true));

  std::printf("%d-bit key, %zu characters, e = %s (goal: ratios <= 1.25)\n", kBits,
              clearText.size(), bn::Str(key.e).c_str());
  Compare(
      "encrypt", [&] { encoder->PushButton1().Push(); },
      [&] { bn::fpPowerMod(m, key.e, 0, key.n); }, 20, kRuns);
  Compare(
      "decrypt", [&] { decoder->PushButton1().Push(); },
      [&] { bn::fpPowerMod(c, key.d, 0, key.n); }, 2, kRuns);
  // Where an encryption press goes besides its power: one event-loop turn per character, and
  // the result laid out in two text areas (and painted by the next turn).
  const std::string result = encoder->TextAreaOut().Text();
  const double turn = TimeBatch([] { fw::RuntimeBackgroundTask(); }, 10000);
  const double show = TimeBatch(
      [&] {
        encoder->TextAreaOut().SetText(result);
        decoder->TextAreaet().SetText(result);
        fw::RuntimeBackgroundTask();
      },
      50);
  std::printf("encrypt  %zu turns %.1f us (%.2f us each); result into two text areas %.1f us\n",
              clearText.size(), turn * 1e6 * clearText.size(), turn * 1e6, show * 1e6);

  CompareLongestDecryption(*decoder);

  return fw::RuntimeExit();
}
