#include "crypt/bignum/bignum.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/framework/exceptions.h"

using namespace bn;

namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

EntryPoint OwnEntry(std::string_view declaration) {
  for (const Export& e : Exports()) {
    if (e.declaration == declaration) return e.entry;
  }
  return nullptr;
}

// No application start-up runs here, so the suite binds the component itself.
class BindBigNumbers : public ::testing::Environment {
 public:
  void SetUp() override { BindEntryPoints(OwnEntry); }
};
const auto* const kBindBigNumbers = ::testing::AddGlobalTestEnvironment(new BindBigNumbers);

BigInteger PowerOfTwo(int exponent) {
  BigInteger x("1");
  for (int i = 0; i < exponent; ++i) x = 2 * x;
  return x;
}

TEST(BigIntegerText, ReadsDecimalIgnoringBlanks) {
  EXPECT_EQ(Str(BigInteger()), "0");
  EXPECT_EQ(Str(BigInteger("")), "0");
  EXPECT_EQ(Str(BigInteger(" \t\r\n")), "0");
  EXPECT_EQ(Str(BigInteger("-0")), "0");
  EXPECT_EQ(Str(BigInteger("000123")), "123");
  EXPECT_EQ(Str(BigInteger(" - 12 34\r\n\t5 ")), "-12345");
  // Shift+Enter in a text area, pasted no-break spaces, and the other line breaks.
  const std::string unicodeBlanks =
      "1\u2028"
      "2\u2029"
      "3\u0085"
      "4\u00A0"
      "5\v6\f7";
  EXPECT_EQ(Str(BigInteger(unicodeBlanks)), "1234567");
  EXPECT_EQ(fpConvBase(unicodeBlanks, 10, 16, 0, false), "19088743");
  const std::string big = "-98765432109876543210987654321098765432109876543210";
  EXPECT_EQ(Str(BigInteger(big)), big);
}

TEST(BigIntegerText, RefusesWhatIsNotAWholeDecimalNumber) {
  for (const char* text : {"12x", "1-2", "--1", "-", "+5", "1.5", "0x10", "1e3",
                           "\xC2"
                           "1",
                           "١"}) {
    EXPECT_THROW(BigInteger{text}, fpBadInputException) << text;
  }
  try {
    BigInteger("12x");
    ADD_FAILURE() << "nothing thrown";
  } catch (const BigNumberException& e) {
    EXPECT_STREQ(e.what(), "The text is not a whole decimal number.");
  }
}

// Texts that GMP alone would read otherwise (a NUL ends its C string; it takes
// a sign only right before the digits, and no blank outside ASCII) read as
// whole texts, in BigInteger and in other bases.
TEST(BigIntegerText, ReadsTheWholeTextWhereGmpAloneWouldNot) {
  using namespace std::string_literals;
  // Octal escapes keep each text one literal: "\00012" is NUL, 1, 2 and "\24042" is A0, 4, 2.
  const std::vector<std::pair<std::string, std::string>> cases{
      {"-\t42", "-42"}, {" \n-4 2 ", "-42"}, {"\u00A0-42", "-42"}, {"42\u2028", "42"},
      {"\u2029", "0"},  {"12\0"s, ""},       {"\00012"s, ""},      {"-\0001"s, ""},
      {"4\0002"s, ""},  {"4-2", ""},         {"42-", ""},          {"- ", ""},
      {"\24042", ""},   {"42\xC2", ""},
  };
  for (const auto& [text, decimal] : cases) {
    SCOPED_TRACE(testing::PrintToString(text));
    if (decimal.empty()) {
      EXPECT_THROW(BigInteger{text}, fpBadInputException);
      EXPECT_THROW(fpConvBase(text, 10, 16, 0, false), fpBadInputException);
    } else {
      EXPECT_EQ(Str(BigInteger(text)), decimal);
      EXPECT_EQ(fpConvBase(text, 10, 16, 0, false), fpConvBase(decimal, 10, 16, 0, false));
    }
  }
}

TEST(BigIntegerArithmetic, WithIntegers) {
  const BigInteger x("1000000000000000000000");
  EXPECT_EQ(Str(x + 5), "1000000000000000000005");
  EXPECT_EQ(Str(x + kMinInt), "999999999997852516352");
  EXPECT_EQ(Str(x - kMinInt), "1000000000002147483648");
  EXPECT_EQ(Str(-3 * x), "-3000000000000000000000");
  EXPECT_EQ(Str(x / 7), "142857142857142857142");
  // The quotient is truncated toward zero whatever the signs.
  EXPECT_EQ(BigInteger("-7") / 2, -3);
  EXPECT_EQ(BigInteger("-7") / -2, 3);
  EXPECT_EQ(BigInteger("7") / -2, -3);
  EXPECT_THROW(x / 0, fpDivideByZeroException);
}

TEST(BigIntegerArithmetic, WithBigIntegersLeavingOperandsUnchanged) {
  const BigInteger a("123456789012345678901234567890");
  const BigInteger b("987654321098765432109876543210");
  EXPECT_EQ(Str(a * b), "121932631137021795226185032733622923332237463801111263526900");
  EXPECT_EQ(Str(a - b), "-864197532086419753208641975320");
  EXPECT_EQ(Str(b - a), "864197532086419753208641975320");

  // The results stay alive while the operands are checked, so shared storage would show.
  const BigInteger n("497");
  const BigInteger results[] = {
      a + 1, a - 1, 2 * a, a / 3, fpGCD(a, b), fpInvMod(a, n), fpPowerMod(a, b, 0, n)};
  const BigFloat root = fpPow(fpEquateBF_BI(a), 0.5);
  static_cast<void>(results);
  static_cast<void>(root);
  EXPECT_EQ(Str(a), "123456789012345678901234567890");
  EXPECT_EQ(Str(b), "987654321098765432109876543210");
  EXPECT_EQ(Str(n), "497");
}

TEST(BigIntegerArithmetic, ComparesBySign) {
  const BigInteger minusFive("-5");
  EXPECT_LT(minusFive, 0);
  EXPECT_GT(minusFive, -6);
  EXPECT_EQ(minusFive, -5);
  EXPECT_GT(BigInteger("2147483648"), std::numeric_limits<std::int32_t>::max());
  EXPECT_LT(BigInteger("-2147483649"), kMinInt);
  EXPECT_LT(BigInteger("-100000000000000000000"), BigInteger("-99999999999999999999"));
  EXPECT_GT(PowerOfTwo(100), PowerOfTwo(99));
  EXPECT_EQ(BigInteger("00042"), BigInteger("42"));
  EXPECT_NE(BigInteger("42"), BigInteger("-42"));
}

TEST(NumberTheory, TellsPrimesFromComposites) {
  for (const char* prime :
       {"2", "3", "104729", "2305843009213693951", "170141183460469231731687303715884105727"}) {
    EXPECT_TRUE(fpIsItPrime(BigInteger(prime), 25)) << prime;
  }
  // Carmichael numbers, a strong pseudoprime to bases 2, 3, 5 and 7, and 2^67 - 1.
  for (const char* composite : {"-7", "0", "1", "4", "561", "1105", "1729", "41041", "825265",
                                "3215031751", "147573952589676412927"}) {
    EXPECT_FALSE(fpIsItPrime(BigInteger(composite), 25)) << composite;
  }
}

TEST(NumberTheory, PowerModReducesIntoRange) {
  EXPECT_EQ(fpPowerMod(BigInteger("4"), BigInteger("13"), 0, BigInteger("497")), 445);
  EXPECT_EQ(fpPowerMod(BigInteger("4"), BigInteger("13"), 0, BigInteger("-497")), 445);
  EXPECT_EQ(fpPowerMod(BigInteger("-2"), BigInteger("3"), 0, BigInteger("5")), 2);
  EXPECT_EQ(fpPowerMod(BigInteger("9"), BigInteger("0"), 0, BigInteger("5")), 1);
  EXPECT_EQ(fpPowerMod(BigInteger("9"), BigInteger("5"), 0, BigInteger("1")), 0);
  // The textbook RSA key p = 61, q = 53, e = 17, d = 2753.
  const BigInteger n("3233");
  EXPECT_EQ(fpPowerMod(BigInteger("65"), BigInteger("17"), 0, n), 2790);
  EXPECT_EQ(fpPowerMod(BigInteger("2790"), BigInteger("2753"), 0, n), 65);
}

TEST(NumberTheory, PowerModRefusesInsteadOfAborting) {
  const BigInteger eleven("11");
  EXPECT_EQ(fpPowerMod(BigInteger("3"), BigInteger("-1"), 0, eleven), 4);
  EXPECT_EQ(fpPowerMod(BigInteger("3"), BigInteger("-2"), 0, eleven), 5);
  EXPECT_THROW(fpPowerMod(BigInteger("3"), BigInteger("5"), 0, BigInteger()),
               fpDivideByZeroException);
  EXPECT_THROW(fpPowerMod(BigInteger("2"), BigInteger("-1"), 0, BigInteger("4")),
               fpNegativeNumberException);
  EXPECT_THROW(fpPowerMod(BigInteger(), BigInteger("-3"), 0, eleven), fpNegativeNumberException);
}

TEST(NumberTheory, GcdAndInverse) {
  EXPECT_EQ(fpGCD(BigInteger("12"), BigInteger("-18")), 6);
  EXPECT_EQ(fpGCD(BigInteger("-12"), BigInteger("-18")), 6);
  EXPECT_EQ(fpGCD(BigInteger("0"), BigInteger("-5")), 5);
  EXPECT_EQ(fpGCD(BigInteger(), BigInteger()), 0);

  EXPECT_EQ(fpInvMod(BigInteger("3"), BigInteger("11")), 4);
  EXPECT_EQ(fpInvMod(BigInteger("3"), BigInteger("-11")), 4);
  EXPECT_EQ(fpInvMod(BigInteger("-3"), BigInteger("11")), 7);
  EXPECT_EQ(fpInvMod(BigInteger("17"), BigInteger("3120")), 2753);
  // phi of 1000000007 * 998244353.
  EXPECT_EQ(Str(fpInvMod(BigInteger("65537"), BigInteger("998244357989466112"))),
            "78519762354634753");
  EXPECT_EQ(fpInvMod(BigInteger("6"), BigInteger("9")), 0);
  EXPECT_THROW(fpInvMod(BigInteger("3"), BigInteger()), fpDivideByZeroException);
}

TEST(NumberTheory, CountsBits) {
  EXPECT_EQ(fpNumBits(BigInteger()), 0);
  EXPECT_EQ(fpNumBits(BigInteger("1")), 1);
  EXPECT_EQ(fpNumBits(BigInteger("255")), 8);
  EXPECT_EQ(fpNumBits(BigInteger("256")), 9);
  EXPECT_EQ(fpNumBits(BigInteger("-256")), 9);
  EXPECT_EQ(fpNumBits(PowerOfTwo(4096)), 4097);
}

TEST(ConvBase, KnownValues) {
  EXPECT_EQ(fpConvBase("1296", 36, 10, 0, false), "100");
  EXPECT_EQ(fpConvBase("18537", 16, 10, 0, false), "4869");
  EXPECT_EQ(fpConvBase("4869", 10, 16, 0, false), "18537");
  EXPECT_EQ(fpConvBase("zZ", 10, 36, 0, false), "1295");
  EXPECT_EQ(fpConvBase("-255", 16, 10, 0, false), "-ff");
  EXPECT_EQ(fpConvBase("255", 16, 10, 0, true), "FF");
  EXPECT_EQ(fpConvBase("00ff", 16, 16, 0, false), "ff");
  EXPECT_EQ(fpConvBase("1 2\r\n3\t4", 10, 10, 0, false), "1234");
  EXPECT_EQ(fpConvBase(" \r\n", 2, 10, 0, false), "0");
  EXPECT_EQ(fpConvBase("", 2, 10, 0, false), "0");
}

TEST(ConvBase, PadsToPlaces) {
  EXPECT_EQ(fpConvBase("5", 2, 10, 8, false), "00000101");
  EXPECT_EQ(fpConvBase("-5", 2, 10, 8, false), "-00000101");
  EXPECT_EQ(fpConvBase("0", 10, 10, 3, false), "000");
  EXPECT_EQ(fpConvBase("255", 16, 10, 1, false), "ff");
}

TEST(ConvBase, RefusesBadDigitsBasesAndPlaces) {
  EXPECT_THROW(fpConvBase("12", 10, 2, 0, false), fpBadInputException);
  EXPECT_THROW(fpConvBase("g", 10, 16, 0, false), fpBadInputException);
  EXPECT_THROW(fpConvBase("1_000", 10, 10, 0, false), fpBadInputException);
  EXPECT_THROW(fpConvBase("5-", 10, 10, 0, false), fpBadInputException);
  for (const std::int32_t base : {-16, 0, 1, 37}) {
    EXPECT_THROW(fpConvBase("1", base, 10, 0, false), fpBadInputException) << base;
    EXPECT_THROW(fpConvBase("1", 10, base, 0, false), fpBadInputException) << base;
  }
  EXPECT_THROW(fpConvBase("1", 10, 10, -1, false), fpBadInputException);
  try {
    fpConvBase("2", 10, 2, 0, false);
    ADD_FAILURE() << "nothing thrown";
  } catch (const BigNumberException& e) {
    EXPECT_STREQ(e.what(), "The text is not a number in base 2.");
  }
}

// GMP's memory functions with a guard band after every block, which must come
// back unchanged: ASan cannot see a write past a block that GMP sized itself.
class GuardedGmpMemory {
 public:
  GuardedGmpMemory() {
    mp_get_memory_functions(&alloc_, &realloc_, &free_);
    mp_set_memory_functions(&Allocate, &Reallocate, &Free);
  }
  ~GuardedGmpMemory() { mp_set_memory_functions(alloc_, realloc_, free_); }
  static std::size_t Overruns() { return overruns_; }

 private:
  static constexpr std::size_t kGuard = 64;
  static constexpr unsigned char kFill = 0xA5;

  static void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kGuard));
    std::memset(block + size, kFill, kGuard);
    guarded_.insert(block);
    return block;
  }
  static void* Reallocate(void* block, std::size_t oldSize, std::size_t newSize) {
    void* grown = Allocate(newSize);
    std::memcpy(grown, block, std::min(oldSize, newSize));
    Free(block, oldSize);
    return grown;
  }
  // Blocks allocated before the guard was set have none to check.
  static void Free(void* block, std::size_t size) {
    if (guarded_.erase(block) != 0) {
      const auto* guard = static_cast<unsigned char*>(block) + size;
      for (std::size_t i = 0; i < kGuard; ++i) overruns_ += guard[i] != kFill;
    }
    std::free(block);
  }

  void* (*alloc_)(std::size_t);
  void* (*realloc_)(void*, std::size_t, std::size_t);
  void (*free_)(void*, std::size_t);
  static inline std::set<void*> guarded_;
  static inline std::size_t overruns_ = 0;
};

TEST(ConvBase, ReadsEveryBaseAndLengthWithinItsBuffers) {
  constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::vector<std::size_t> lengths;
  for (std::size_t length = 1; length <= 20000; length += length < 100 ? 1 : length / 8)
    lengths.push_back(length);
  std::mt19937 random(36);
  const GuardedGmpMemory guard;
  for (int base = 2; base <= 36; ++base) {
    for (const std::size_t length : lengths) {
      // The largest number of that many digits, then one of random digits.
      std::string largest(length, kDigits[base - 1]), any(length, '1');
      for (std::size_t i = 1; i < length; ++i) any[i] = kDigits[random() % base];
      for (const std::string& text : {largest, any}) {
        const std::string decimal = fpConvBase(text, 10, base, 0, false);
        ASSERT_EQ(fpConvBase(decimal, base, 10, 0, false), text) << "base " << base;
        ASSERT_EQ(GuardedGmpMemory::Overruns(), 0u)
            << "base " << base << ", " << length << " digits";
      }
    }
  }
}

TEST(ConvBase, RoundTripsFullSizeKeys) {
  fpResetSeed(4096);
  for (int i = 0; i < 20; ++i) {
    const BigInteger x = i % 2 ? fpRandom2(4096) : BigInteger() - fpRandom2(4096);
    const std::string decimal = Str(x);
    const std::string hex = fpConvBase(decimal, 16, 10, 0, i % 3 == 0);
    const std::string base36 = fpConvBase(decimal, 36, 10, 0, false);
    EXPECT_EQ(hex.size(), x < 0 ? 1025u : 1024u);
    EXPECT_EQ(fpConvBase(hex, 10, 16, 0, false), decimal);
    EXPECT_EQ(fpConvBase(base36, 10, 36, 0, false), decimal);
    EXPECT_EQ(fpConvBase(base36, 16, 36, 0, i % 3 == 0), hex);
    EXPECT_EQ(BigInteger(decimal), x);
  }
}

TEST(Random, DrawsExactlyTheBitsAskedFor) {
  for (const std::int32_t bits : {1, 2, 7, 64, 65, 1024, 4097}) {
    for (int i = 0; i < 20; ++i) EXPECT_EQ(fpNumBits(fpRandom2(bits)), bits);
  }
  EXPECT_EQ(fpRandom2(1), 1);
  EXPECT_THROW(fpRandom2(0), fpNegativeOrZeroException);
  EXPECT_THROW(fpRandom2(-1), fpNegativeOrZeroException);
}

TEST(Random, SeedZeroIsFreshEveryTime) {
  std::vector<std::string> draws;
  for (int reseed = 0; reseed < 2; ++reseed) {
    fpResetSeed(0);
    draws.push_back(Str(fpRandom2(256)));
    draws.push_back(Str(fpRandom2(256)));
  }
  EXPECT_NE(draws[0], draws[2]);
  EXPECT_NE(draws[1], draws[3]);
  EXPECT_NE(draws[0], draws[1]);
}

TEST(Random, NonZeroSeedRepeatsItsStream) {
  const auto stream = [](std::int32_t seed) {
    fpResetSeed(seed);
    return Str(fpRandom2(512)) + Str(fpRandom2(512));
  };
  EXPECT_EQ(stream(12345), stream(12345));
  EXPECT_NE(stream(12345), stream(-12345));
}

TEST(BigFloat, PowersAreExactWhereTheResultIsRepresentable) {
  const BigFloat twoTo400 = fpEquateBF_BI(PowerOfTwo(400));
  EXPECT_EQ(fpPow(twoTo400, 0.25), fpEquateBF_BI(PowerOfTwo(100)));
  EXPECT_EQ(fpPow(twoTo400, 0.5), fpEquateBF_BI(PowerOfTwo(200)));
  EXPECT_EQ(fpPow(fpEquateBF_BI(BigInteger("-2")), 3.0), fpEquateBF_BI(BigInteger("-8")));
}

TEST(BigFloat, HoldsEveryBitOfItsInteger) {
  const BigInteger x = PowerOfTwo(4000);
  EXPECT_LT(fpEquateBF_BI(x), fpEquateBF_BI(x + 1));
  EXPECT_EQ((3 * fpEquateBF_BI(x + 1)) / 3, fpEquateBF_BI(x + 1));
  EXPECT_EQ(7 * fpEquateBF_BI(BigInteger("6")), fpEquateBF_BI(BigInteger("42")));
  EXPECT_EQ(2 * (fpEquateBF_BI(BigInteger("10")) / -4), fpEquateBF_BI(BigInteger("-5")));
  EXPECT_GT(fpEquateBF_BI(BigInteger("3")), fpEquateBF_BI(BigInteger("-5")));
}

TEST(BigFloat, RefusesResultsThatAreNotNumbers) {
  const BigFloat minusEight = fpEquateBF_BI(BigInteger("-8"));
  EXPECT_THROW(fpPow(minusEight, 0.5), fpNegativeNumberException);
  EXPECT_THROW(fpPow(fpEquateBF_BI(BigInteger()), -1.0), fpDivideByZeroException);
  EXPECT_THROW(minusEight / 0, fpDivideByZeroException);
  EXPECT_THROW(fpPow(minusEight, std::numeric_limits<double>::quiet_NaN()), fpBadInputException);
  EXPECT_THROW(fpPow(minusEight, std::numeric_limits<double>::infinity()), fpBadInputException);
  EXPECT_THROW(fpPow(fpEquateBF_BI(PowerOfTwo(100)), 1e18), fpOverflowOrNegativeException);
}

// Restores the full binding however a test ends.
class EntryTable : public ::testing::Test {
 protected:
  void TearDown() override { BindEntryPoints(OwnEntry); }
};

TEST_F(EntryTable, UnboundCallsRaiseInsteadOfCrashing) {
  UnbindEntryPoints();
  EXPECT_THROW(BigInteger("1"), fw::NilObjectException);
  EXPECT_THROW(Str(BigInteger()), fw::NilObjectException);
  EXPECT_THROW((void)(BigInteger() < 1), fw::NilObjectException);
  EXPECT_THROW(fpResetSeed(1), fw::NilObjectException);

  BindEntryPoints(OwnEntry);
  EXPECT_EQ(Str(BigInteger("1") + 1), "2");
}

TEST_F(EntryTable, EachSlotIsBoundOnItsOwn) {
  BindEntryPoints([](std::string_view declaration) {
    return declaration.starts_with("fpGCD(") ? nullptr : OwnEntry(declaration);
  });
  EXPECT_THROW(fpGCD(BigInteger("4"), BigInteger("6")), fw::NilObjectException);
  EXPECT_EQ(fpInvMod(BigInteger("3"), BigInteger("11")), 4);
}

}  // namespace
