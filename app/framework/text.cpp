#include "app/framework/text.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace fw {
namespace {

// Length in bytes of the well-formed UTF-8 sequence at the start of text, or 1
// for a byte that does not begin one (such a byte stands for itself).
std::size_t CharWidth(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t width = lead < 0x80                   ? 1
                      : lead >= 0xC2 && lead < 0xE0 ? 2
                      : lead >= 0xE0 && lead < 0xF0 ? 3
                      : lead >= 0xF0 && lead < 0xF5 ? 4
                                                    : 1;
  if (width == 1 || width > text.size()) return 1;
  for (std::size_t i = 1; i < width; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  const auto second = static_cast<unsigned char>(text[1]);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
    return 1;  // overlong forms, surrogates and code points beyond U+10FFFF
  return width;
}

Int32 Decode(std::string_view ch) {
  const auto lead = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1) return lead;
  Int32 code = lead & (0x7F >> ch.size());
  for (std::size_t i = 1; i < ch.size(); ++i) code = (code << 6) | (ch[i] & 0x3F);
  return code;
}

// Blanks before a number: Unicode's white space, in UTF-8. That is the ASCII
// blanks and line breaks, next line, the no-break, typographic and ideographic
// spaces, and the line and paragraph separators.
constexpr std::string_view kBlanks[] = {
    " ",      "\t",     "\n",     "\v",     "\f",     "\r",     "\u0085", "\u00A0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
    "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};

std::string_view WithoutLeadingBlanks(std::string_view text) {
  for (;;) {
    const auto blank = std::find_if(std::begin(kBlanks), std::end(kBlanks),
                                    [text](std::string_view b) { return text.starts_with(b); });
    if (blank == std::end(kBlanks)) return text;
    text.remove_prefix(blank->size());
  }
}

}  // namespace

Int32 Len(std::string_view text) {
  Int32 count = 0;
  for (std::size_t i = 0; i < text.size(); i += CharWidth(text.substr(i))) ++count;
  return count;
}

std::string Mid(std::string_view text, Int32 start, Int32 length) {
  std::size_t begin = 0;
  for (Int32 skip = start > 1 ? start - 1 : 0; skip > 0 && begin < text.size(); --skip)
    begin += CharWidth(text.substr(begin));
  std::size_t end = begin;
  for (Int32 take = length; take > 0 && end < text.size(); --take)
    end += CharWidth(text.substr(end));
  return std::string(text.substr(begin, end - begin));
}

Int32 Asc(std::string_view text) {
  return text.empty() ? 0 : Decode(text.substr(0, CharWidth(text)));
}

std::string Hex(Int32 value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto bits = static_cast<std::uint32_t>(value);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  return digits;
}

double Val(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&' && (text[1] == 'h' || text[1] == 'H')) {
    double value = 0;
    for (char c : text.substr(2)) {
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                               : -1;
      if (digit < 0) break;
      value = value * 16 + digit;
    }
    return value;
  }
  return CDbl(text);
}

std::string ChrB(Int32 value) {
  return std::string(1, static_cast<char>(value & 0xFF));
}

double CDbl(std::string_view text) {
  // Only plain decimal notation: strtod alone would also read "inf", "nan" and hex.
  text = WithoutLeadingBlanks(text);
  if (text.empty()) return 0;
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > from;
  };
  if (text[i] == '+' || text[i] == '-') ++i;
  bool any = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    any = digits() || any;
  }
  if (!any) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    const std::size_t mark = i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) i = mark;
  }
  // The application's locale may write decimals with a comma; this number is C.
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(std::string(text.substr(0, i)).c_str(), nullptr, c);
}

std::string Str(Int32 value) {
  return std::to_string(value);
}

Int32 DoubleToInt32(double value) {
  constexpr auto kNone = std::numeric_limits<Int32>::min();
  if (std::isnan(value)) return kNone;
  const double rounded = std::round(value);  // halves away from zero
  if (rounded < kNone || rounded > std::numeric_limits<Int32>::max()) return kNone;
  return static_cast<Int32>(rounded);
}

}  // namespace fw
