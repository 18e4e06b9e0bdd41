// How a clear text becomes the hexadecimal digits of one number.
#pragma once

#include <string>
#include <string_view>

namespace cipher {

enum class ClearTextCoding {
  CharacterCodes,  // two digits per character code
  Utf8Bytes,       // two digits per byte of the character's UTF-8 form
};

// Character codes when every code is below 256, so such a text is the same number it has
// always been; UTF-8 bytes when one code is wider, because a wider code would not come back
// from being read in pairs of digits, and when the codes as bytes happen to be UTF-8 of
// wider characters, which the decrypted bytes would be shown as.
ClearTextCoding CodingFor(std::string_view clearText);

// The digits of one character of a clear text, two per code or per byte.
std::string HexGroup(std::string_view character, ClearTextCoding coding);

}  // namespace cipher
