#include "crypt/cleartext.h"

#include "app/framework/text.h"

namespace cipher {
namespace {

// A value below 256 as exactly two digits.
std::string TwoDigits(fw::Int32 value) {
  const std::string digits = fw::Hex(value);
  return fw::Len(digits) == 1 ? "0" + digits : digits;
}

}  // namespace

ClearTextCoding CodingFor(std::string_view clearText) {
  for (std::string_view rest = clearText; !rest.empty();) {
    const std::string character = fw::Mid(rest, 1, 1);
    if (fw::Asc(character) > 255) return ClearTextCoding::Utf8Bytes;
    rest.remove_prefix(character.size());
  }
  return ClearTextCoding::CharacterCodes;
}

std::string HexGroup(std::string_view character, ClearTextCoding coding) {
  if (coding == ClearTextCoding::CharacterCodes) return TwoDigits(fw::Asc(character));
  std::string group;
  for (const char byte : character) group += TwoDigits(static_cast<unsigned char>(byte));
  return group;
}

}  // namespace cipher
