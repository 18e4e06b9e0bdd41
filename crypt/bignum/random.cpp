// The random generator behind fpRandom2: the operating system's secure
// generator, or, after a non-zero seed, a reproducible stream for tests.
#include <sys/random.h>

#include <cerrno>
#include <optional>
#include <system_error>
#include <vector>

#include "crypt/bignum/operations.h"
#include "crypt/bignum/values.h"

namespace bn::ops {

namespace {

void FillFromSystem(unsigned char* bytes, std::size_t count) {
  std::size_t filled = 0;
  while (filled < count) {
    const ssize_t got = getrandom(bytes + filled, count - filled, 0);
    if (got < 0 && errno != EINTR)
      throw std::system_error(errno, std::generic_category(),
                              "The system's secure random generator cannot be read");
    if (got > 0) filled += static_cast<std::size_t>(got);
  }
}

// A seeded Mersenne Twister; it exists only between a non-zero seed and the next seed 0.
class SeededStream {
 public:
  explicit SeededStream(std::uint32_t seed) {
    gmp_randinit_mt(state_);
    gmp_randseed_ui(state_, seed);
  }
  ~SeededStream() { gmp_randclear(state_); }
  SeededStream(const SeededStream&) = delete;
  SeededStream& operator=(const SeededStream&) = delete;

  void DrawBits(mpz_ptr r, mp_bitcnt_t bits) { mpz_urandomb(r, state_, bits); }

 private:
  gmp_randstate_t state_;
};

std::optional<SeededStream>& Stream() {
  static std::optional<SeededStream> stream;
  return stream;
}

void DrawBits(mpz_ptr r, mp_bitcnt_t bits) {
  if (auto& stream = Stream()) return stream->DrawBits(r, bits);
  std::vector<unsigned char> bytes((bits + 7) / 8);
  FillFromSystem(bytes.data(), bytes.size());
  mpz_import(r, bytes.size(), 1, 1, 0, 0, bytes.data());
  mpz_fdiv_r_2exp(r, r, bits);
}

}  // namespace

BigInteger Random2(std::int32_t n) {
  if (n < 1) throw fpNegativeOrZeroException("The number of bits must be at least 1.");
  const auto bits = static_cast<mp_bitcnt_t>(n);
  return MakeInteger([&](mpz_ptr r) {
    DrawBits(r, bits - 1);
    mpz_setbit(r, bits - 1);
  });
}

void ResetSeed(std::int32_t seed) {
  // Seed 0 returns to the system's generator, so every key is drawn afresh.
  if (seed == 0)
    Stream().reset();
  else
    Stream().emplace(static_cast<std::uint32_t>(seed));
}

}  // namespace bn::ops
