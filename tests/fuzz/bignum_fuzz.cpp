// Feeds arbitrary bytes to the text readers. Refusals are fine; a crash, a leak, a hang or a
// round trip that does not hold is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "crypt/bignum/bignum.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

bn::EntryPoint OwnEntry(std::string_view declaration) {
  for (const bn::Export& e : bn::Exports()) {
    if (e.declaration == declaration) return e.entry;
  }
  return nullptr;
}

// The canonical decimal text of a BigInteger survives being written in base and read back.
void CheckDecimal(std::string_view text) {
  try {
    const bn::BigInteger x(text);
    const std::string decimal = bn::Str(x);
    Require(bn::Str(bn::BigInteger(decimal)) == decimal);
    for (const int base : {2, 16, 36}) {
      const std::string written = bn::fpConvBase(decimal, base, 10, 0, base == 16);
      Require(bn::fpConvBase(written, 10, base, 0, false) == decimal);
    }
  } catch (const bn::BigNumberException&) {
  }
}

// Text read in baseFrom and written in baseTo reads back as the same number.
void CheckConversion(std::string_view text, int baseTo, int baseFrom, int places, bool upper) {
  try {
    const std::string converted = bn::fpConvBase(text, baseTo, baseFrom, places, upper);
    const std::string canonical = bn::fpConvBase(text, baseFrom, baseFrom, 0, false);
    Require(bn::fpConvBase(converted, baseFrom, baseTo, 0, false) == canonical);
  } catch (const bn::BigNumberException&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  bn::BindEntryPoints(OwnEntry);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  // The first bytes pick the bases (some outside 2..36, to exercise the refusal), the places
  // and the letter case; the rest is the text.
  const int baseTo = data[0] % 40;
  const int baseFrom = data[1] % 40;
  const int places = data[2] % 64 - 1;
  const bool upper = (data[2] & 0x80) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

  CheckDecimal(text);
  CheckConversion(text, baseTo, baseFrom, places, upper);
  return 0;
}
