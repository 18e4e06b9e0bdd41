// The framework's text functions: characters are code points of UTF-8, and a
// byte that is not part of valid UTF-8 stands for itself.
#include "app/framework/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using fw::Int32;

constexpr Int32 kMinInt32 = std::numeric_limits<Int32>::min();
constexpr Int32 kMaxInt32 = std::numeric_limits<Int32>::max();

// One character each: ASCII, an accent, the euro sign, a CJK ideograph, an emoji.
const std::string kA = "A";
const std::string kEAcute = "\xC3\xA9";         // U+00E9
const std::string kEuro = "\xE2\x82\xAC";       // U+20AC
const std::string kCjk = "\xE4\xB8\xAD";        // U+4E2D
const std::string kEmoji = "\xF0\x9F\x98\x80";  // U+1F600
const std::string kMixed = kA + kEAcute + kEuro + kCjk + kEmoji + "z";

TEST(TextCharacters, CountsCodePointsNotBytes) {
  EXPECT_EQ(fw::Len(""), 0);
  EXPECT_EQ(fw::Len("hello"), 5);
  EXPECT_EQ(fw::Len(kEAcute), 1);
  EXPECT_EQ(fw::Len(kEuro), 1);
  EXPECT_EQ(fw::Len(kCjk), 1);
  EXPECT_EQ(fw::Len(kEmoji), 1);
  EXPECT_EQ(fw::Len(kMixed), 6);
}

TEST(TextCharacters, EveryByteOutsideValidUtf8CountsAsOneCharacter) {
  EXPECT_EQ(fw::Len("\xE9"), 1);              // a Latin-1 byte
  EXPECT_EQ(fw::Len("\x80"), 1);              // a lone continuation byte
  EXPECT_EQ(fw::Len("a\xC3"), 2);             // a sequence cut off at the end
  EXPECT_EQ(fw::Len("\xE2\x82z"), 3);         // a sequence cut off before an ASCII byte
  EXPECT_EQ(fw::Len("\xC0\x80"), 2);          // an overlong form
  EXPECT_EQ(fw::Len("\xED\xA0\x80"), 3);      // a surrogate
  EXPECT_EQ(fw::Len("\xF4\x90\x80\x80"), 4);  // beyond U+10FFFF
  EXPECT_EQ(fw::Len("\xFF\xFE"), 2);
  EXPECT_EQ(fw::Len(std::string("a\0b", 3)), 3);  // NUL is an ordinary character
}

TEST(TextCharacters, AscGivesTheCodeOfTheFirstCharacter) {
  EXPECT_EQ(fw::Asc(""), 0);
  EXPECT_EQ(fw::Asc("Abc"), 65);
  EXPECT_EQ(fw::Asc(kEAcute + "x"), 0xE9);
  EXPECT_EQ(fw::Asc(kEuro), 0x20AC);
  EXPECT_EQ(fw::Asc(kCjk), 0x4E2D);
  EXPECT_EQ(fw::Asc(kEmoji), 0x1F600);
  EXPECT_EQ(fw::Asc("\xE9" + kEAcute), 0xE9);  // an invalid byte is its own code
  EXPECT_EQ(fw::Asc("\xC3"), 0xC3);
  EXPECT_EQ(fw::Asc("\xC0\x80"), 0xC0);
}

TEST(TextCharacters, MidTakesWholeCharactersFromOneBasedPositions) {
  EXPECT_EQ(fw::Mid("hello", 2, 3), "ell");
  EXPECT_EQ(fw::Mid(kMixed, 2, 3), kEAcute + kEuro + kCjk);
  EXPECT_EQ(fw::Mid(kMixed, 5, 1), kEmoji);
  EXPECT_EQ(fw::Mid(kMixed, 6, 10), "z");  // a length past the end stops there
  EXPECT_EQ(fw::Mid(kMixed, 7, 1), "");
  EXPECT_EQ(fw::Mid(kMixed, 100, 1), "");
  EXPECT_EQ(fw::Mid(kMixed, 1, 0), "");
  EXPECT_EQ(fw::Mid(kMixed, 1, -5), "");
  EXPECT_EQ(fw::Mid("a\xE9" + kEAcute + "\xC3", 2, 2), "\xE9" + kEAcute);
}

TEST(TextCharacters, MidFromAStartAtOrBelowOneReadsFromTheFirstCharacter) {
  EXPECT_EQ(fw::Mid("abc", 1, 2), "ab");
  EXPECT_EQ(fw::Mid("abc", 0, 2), "ab");
  EXPECT_EQ(fw::Mid("abc", -7, 2), "ab");
  EXPECT_EQ(fw::Mid("abc", kMinInt32, 2), "ab");
}

TEST(TextCharacters, OneCharacterAtATimeRebuildsTheText) {
  // The clear-text encoding walks a text with Mid(text, i, 1) for i = 1 .. Len.
  const std::vector<std::string> texts = {"",
                                          "plain ASCII",
                                          kMixed,
                                          "\xE9t\xE9",
                                          "\xC3",
                                          "\xF0\x9F\x98",
                                          "x\xED\xA0\x80y",
                                          std::string("\0\x01\x7F\x80\xFF", 5),
                                          kEmoji + "\xF0" + kEmoji};
  for (const auto& text : texts) {
    std::string rebuilt;
    for (Int32 i = 1; i <= fw::Len(text); ++i) {
      const std::string ch = fw::Mid(text, i, 1);
      EXPECT_EQ(fw::Len(ch), 1) << "character " << i;
      rebuilt += ch;
    }
    EXPECT_EQ(rebuilt, text);
  }
}

TEST(TextBytes, ChrBMakesOneByteWhoseCodeAscReadsBack) {
  for (Int32 code = 0; code < 256; ++code) {
    const std::string byte = fw::ChrB(code);
    ASSERT_EQ(byte.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(byte[0]), code);
    EXPECT_EQ(fw::Asc(byte), code);
    EXPECT_EQ(fw::Len(byte), 1);
  }
  EXPECT_EQ(fw::ChrB(0x141), "A");  // the low byte
  // Bytes made one by one join into the characters they spell.
  EXPECT_EQ(fw::ChrB(0xC3) + fw::ChrB(0xA9), kEAcute);
  EXPECT_EQ(fw::Len(fw::ChrB(0xE2) + fw::ChrB(0x82) + fw::ChrB(0xAC)), 1);
}

TEST(TextNumbers, HexWritesUpperCaseDigitsOfAll32BitsWithoutLeadingZeros) {
  EXPECT_EQ(fw::Hex(0), "0");
  EXPECT_EQ(fw::Hex(9), "9");
  EXPECT_EQ(fw::Hex(10), "A");
  EXPECT_EQ(fw::Hex(15), "F");
  EXPECT_EQ(fw::Hex(16), "10");
  EXPECT_EQ(fw::Hex(0xE9), "E9");
  EXPECT_EQ(fw::Hex(0xABCDEF), "ABCDEF");
  EXPECT_EQ(fw::Hex(0x1F600), "1F600");
  EXPECT_EQ(fw::Hex(kMaxInt32), "7FFFFFFF");
  EXPECT_EQ(fw::Hex(-1), "FFFFFFFF");
  EXPECT_EQ(fw::Hex(-16), "FFFFFFF0");
  EXPECT_EQ(fw::Hex(kMinInt32), "80000000");
}

TEST(TextNumbers, ValReadsHexadecimalAfterTheAmpersandH) {
  EXPECT_EQ(fw::Val("&hFF"), 255.0);
  EXPECT_EQ(fw::Val("&h0A"), 10.0);
  EXPECT_EQ(fw::Val("&hff"), 255.0);
  EXPECT_EQ(fw::Val("&H1f"), 31.0);
  EXPECT_EQ(fw::Val("&h0"), 0.0);
  EXPECT_EQ(fw::Val("&h"), 0.0);
  EXPECT_EQ(fw::Val("&hFFFFFFFFFF"), 1099511627775.0);  // a Double, not an Int32
  EXPECT_EQ(fw::Val("&h1G"), 1.0);                      // stops at the first non-digit
  for (Int32 value : {0, 1, 15, 16, 255, 0x1F600, kMaxInt32})
    EXPECT_EQ(fw::Val("&h" + fw::Hex(value)), value);
  EXPECT_EQ(fw::Val("&h" + fw::Hex(-1)), 4294967295.0);
}

TEST(TextNumbers, CDblReadsTheLeadingDecimalNumber) {
  EXPECT_EQ(fw::CDbl("42"), 42.0);
  EXPECT_EQ(fw::CDbl("  12.5"), 12.5);
  EXPECT_EQ(fw::CDbl("\t\n-3"), -3.0);
  EXPECT_EQ(fw::CDbl("\u00A0\u2028\u2029\u0085\v\f\u3000512"), 512.0);
  EXPECT_EQ(fw::CDbl("+7"), 7.0);
  EXPECT_EQ(fw::CDbl(".5"), 0.5);
  EXPECT_EQ(fw::CDbl("5."), 5.0);
  EXPECT_EQ(fw::CDbl("1e3"), 1000.0);
  EXPECT_EQ(fw::CDbl("2E-1"), 0.2);
  EXPECT_EQ(fw::CDbl("12abc"), 12.0);
  EXPECT_EQ(fw::CDbl("1e"), 1.0);
  EXPECT_EQ(fw::CDbl("3e+x"), 3.0);
  EXPECT_EQ(fw::CDbl("1,5"), 1.0);
  EXPECT_EQ(fw::CDbl("512 bits"), 512.0);
}

TEST(TextNumbers, CDblGivesZeroForATextWithNoDecimalNumber) {
  for (const char* text :
       {"", "   ", "abc", "-", "+", ".", "e5", "inf", "INFINITY", "nan", "NaN(1)", "0x10", "- 5"})
    EXPECT_EQ(fw::CDbl(text), 0.0) << '"' << text << '"';
  EXPECT_EQ(fw::CDbl("0x10"), 0.0);  // not sixteen
}

// The windowing toolkit sets the process locale from the environment; CDbl must
// keep reading a full stop as the decimal point whatever that locale says. The
// build makes the German locale this needs and ctest points LOCPATH at it.
TEST(TextNumbers, CDblIgnoresTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "LOCPATH holds no de_DE.UTF-8";
  const std::string decimalPoint = std::localeconv()->decimal_point;
  const double value = fw::CDbl("12.75");
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(decimalPoint, ",");
  EXPECT_EQ(value, 12.75);
}

TEST(TextNumbers, StrWritesDecimal) {
  EXPECT_EQ(fw::Str(0), "0");
  EXPECT_EQ(fw::Str(65537), "65537");
  EXPECT_EQ(fw::Str(-1), "-1");
  EXPECT_EQ(fw::Str(kMaxInt32), "2147483647");
  EXPECT_EQ(fw::Str(kMinInt32), "-2147483648");
}

TEST(DoubleToInt32, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(fw::DoubleToInt32(2.5), 3);
  EXPECT_EQ(fw::DoubleToInt32(-2.5), -3);
  EXPECT_EQ(fw::DoubleToInt32(0.5), 1);
  EXPECT_EQ(fw::DoubleToInt32(-0.5), -1);
  EXPECT_EQ(fw::DoubleToInt32(2.4999), 2);
  EXPECT_EQ(fw::DoubleToInt32(-2.4999), -2);
  EXPECT_EQ(fw::DoubleToInt32(2.5001), 3);
  EXPECT_EQ(fw::DoubleToInt32(-0.2), 0);
  EXPECT_EQ(fw::DoubleToInt32(7.0), 7);
  EXPECT_EQ(fw::DoubleToInt32(fw::CDbl("12.5")), 13);
}

TEST(DoubleToInt32, HalfOfAnOddLengthRoundsUp) {
  // A key of at least L bits asks for primes of half that length each.
  for (Int32 length : {5, 7, 9, 63, 129, 1023, 2047, 4097})
    EXPECT_EQ(fw::DoubleToInt32(length / 2.0), (length + 1) / 2) << length;
  for (Int32 length : {6, 64, 1024})
    EXPECT_EQ(fw::DoubleToInt32(length / 2.0), length / 2) << length;
}

TEST(DoubleToInt32, KeepsTheWholeInt32RangeAndRefusesWhatLiesOutside) {
  EXPECT_EQ(fw::DoubleToInt32(2147483647.0), kMaxInt32);
  EXPECT_EQ(fw::DoubleToInt32(2147483647.4), kMaxInt32);
  EXPECT_EQ(fw::DoubleToInt32(-2147483647.0), -2147483647);
  EXPECT_EQ(fw::DoubleToInt32(-2147483648.0), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(-2147483648.4), kMinInt32);
  // Out of range, and NaN, give the smallest Int32.
  EXPECT_EQ(fw::DoubleToInt32(2147483647.5), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(2147483648.0), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(-2147483648.5), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(-2147483649.0), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(1e10), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(-1e300), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(std::numeric_limits<double>::infinity()), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(-std::numeric_limits<double>::infinity()), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(std::nan("")), kMinInt32);
  EXPECT_EQ(fw::DoubleToInt32(fw::CDbl("99999999999")), kMinInt32);
}

}  // namespace
