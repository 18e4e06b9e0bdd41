// The framework's text functions. A text is a std::string of bytes, normally UTF-8;
// ChrB can make texts that are not valid UTF-8, which controls show byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

using Int32 = std::int32_t;

// Characters are code points; a byte that is not part of valid UTF-8 counts as one character.
Int32 Len(std::string_view text);
// The characters from the 1-based position start, at most length of them.
std::string Mid(std::string_view text, Int32 start, Int32 length);
// The code of the first character, 0 for an empty text.
Int32 Asc(std::string_view text);
// Upper-case hexadecimal digits of the value's 32 bits, no leading zeros ("0" for zero).
std::string Hex(Int32 value);
// "&h" followed by hexadecimal digits reads as that number; otherwise the leading decimal number.
double Val(std::string_view text);
// A one-byte text holding the low byte of value.
std::string ChrB(Int32 value);
// The leading decimal number of the text (C locale, leading blanks skipped), 0 if there is none.
double CDbl(std::string_view text);
// The decimal text of value.
std::string Str(Int32 value);

// Rounds to the nearest integer, halves away from zero. NaN and values outside
// the Int32 range give the smallest Int32.
Int32 DoubleToInt32(double value);

}  // namespace fw
