// A real press of the key-generation window's Go button, with every counter
// repaint and event-loop turn, against openssl's RSA key generation of the same
// length in the same run. Key generation time varies tenfold from one key to
// the next, so presses and openssl runs are interleaved and medians compared.
// Also reports the longest stretch between two event-loop turns of a press,
// and of presses that are refused: with an exponent longer than any reachable
// phi, at every length, and with one just above the largest phi, which needs
// the largest primes found first, at lengths that double.
//
// Usage: keygen_bench [presses at 2048 [at 4096 [at 8192 [longest refused length]]]]
//        (default 31 15 5 16384)
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/framework/runtime.h"
#include "bench/offscreen.h"
#include "bench/timing.h"
#include "crypt/bignum/bignum.h"
#include "keygen/windowgk.h"
#include "tests/support/test_key.h"

namespace {

using bench::Clock;
using bench::Median;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

struct Press {
  double seconds;
  double longestFreeze;  // seconds between two turns of the event loop
};

// Every zero-interval timeout marks one turn of the event loop.
Press PressGo(int bits, const std::string& exponent = "65537", bool refused = false) {
  const auto window = keygen::WindowGK();
  window->TextFieldEstLen().SetText(std::to_string(bits));
  window->TextAreae().SetText(exponent);
  window->TextArean().SetText("");  // written only by a press that finds a key
  std::vector<Clock::time_point> turns;
  QTimer turnMarker;
  QObject::connect(&turnMarker, &QTimer::timeout, [&] { turns.push_back(Clock::now()); });
  turnMarker.start(0);
  turns.push_back(Clock::now());
  window->PushButton1().Push();
  turns.push_back(Clock::now());
  turnMarker.stop();
  if (window->TextArean().Text().empty() != refused) {
    std::fprintf(stderr, "the press at %d bits %s\n", bits,
                 refused ? "wrote a key" : "wrote no key");
    std::exit(1);
  }
  double longest = 0;
  for (std::size_t i = 1; i < turns.size(); ++i)
    longest = std::max(longest, Seconds(turns[i] - turns[i - 1]));
  return {Seconds(turns.back() - turns.front()), longest};
}

double OpenSsl(int bits) {
  const std::string command =
      "openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:" + std::to_string(bits) +
      " -out /dev/null 2>/dev/null";
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "openssl failed: %s\n", command.c_str());
    std::exit(1);
  }
  return Seconds(Clock::now() - start);
}

void Compare(int bits, int runs, double goal) {
  std::vector<double> presses, openssl;
  double longestFreeze = 0;
  for (int run = 0; run < runs; ++run) {
    const Press press = PressGo(bits);
    presses.push_back(press.seconds);
    longestFreeze = std::max(longestFreeze, press.longestFreeze);
    openssl.push_back(OpenSsl(bits));
  }
  const double ours = Median(presses), theirs = Median(openssl);
  std::printf(
      "%5d bits, %2d runs: press median %7.3f s (%.3f..%.3f)  openssl median %7.3f s "
      "(%.3f..%.3f)  ratio %5.2f (goal <= %.1f)  longest freeze %5.1f ms\n",
      bits, runs, ours, *std::min_element(presses.begin(), presses.end()),
      *std::max_element(presses.begin(), presses.end()), theirs,
      *std::min_element(openssl.begin(), openssl.end()),
      *std::max_element(openssl.begin(), openssl.end()), ours / theirs, goal, longestFreeze * 1e3);
  std::fflush(stdout);
}

// The window's k for a length: half of it, a half taken up.
int HalfLength(int bits) {
  return (bits + 1) / 2;
}

void RefusedPresses(int longestLength) {
  if (longestLength < 5) return;
  // 2^(2k+2) + 1: longer than any reachable phi, at every length.
  double longestFreeze = 0;
  int worstLength = 0;
  for (int bits = 5; bits <= longestLength; ++bits) {
    const Press press = PressGo(bits, bn::Str(PowerOfTwo(2 * HalfLength(bits) + 2) + 1), true);
    if (press.longestFreeze > longestFreeze) {
      longestFreeze = press.longestFreeze;
      worstLength = bits;
    }
    if ((bits & (bits - 1)) == 0 || bits == longestLength) {
      std::printf(
          "refused, e = 2^(2k+2) + 1, lengths 5..%5d: longest freeze %6.2f ms (at %d bits; "
          "goal < 50)\n",
          bits, longestFreeze * 1e3, worstLength);
      std::fflush(stdout);
    }
  }
  // The largest phi + 1: refused once the two largest reachable primes are found.
  for (int bits = 8; bits <= longestLength; bits *= 2) {
    const std::string exponent = bn::Str(LargestPhi(HalfLength(bits)) + 1);
    const Press press = PressGo(bits, exponent, true);
    std::printf("refused, e = largest phi + 1, %5d bits: press %8.3f s  longest freeze %7.1f ms\n",
                bits, press.seconds, press.longestFreeze * 1e3);
    std::fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int runs[] = {31, 15, 5};
  for (int i = 1; i < argc && i <= 3; ++i) runs[i - 1] = std::atoi(argv[i]);
  const int longestRefusedLength = argc > 4 ? std::atoi(argv[4]) : 16384;
  bench::StartOffscreenRuntime(argc, argv);
  if (runs[0] > 0) Compare(2048, runs[0], 0.5);
  if (runs[1] > 0) Compare(4096, runs[1], 0.5);
  if (runs[2] > 0) Compare(8192, runs[2], 1.0);
  RefusedPresses(longestRefusedLength);
  return fw::RuntimeExit();
}
