#include "crypt/cleartext.h"

#include "app/framework/text.h"

namespace cipher {
namespace {

// A value below 256 as exactly two digits.
std::string TwoDigits(fw::Int32 value) {
  const std::string digits = fw::Hex(value);
  return fw::Len(digits) == 1 ? "0" + digits : digits;
}

// True when the bytes are all UTF-8 and some of them a character above 127:
// a text control shows such bytes as those characters.
bool ReadsAsWiderUtf8(std::string_view bytes) {
  bool wider = false;
  for (std::string_view rest = bytes; !rest.empty();) {
    const std::string character = fw::Mid(rest, 1, 1);
    if (character.size() == 1 && fw::Asc(character) > 127) return false;  // not UTF-8
    wider = wider || character.size() > 1;
    rest.remove_prefix(character.size());
  }
  return wider;
}

}  // namespace

ClearTextCoding CodingFor(std::string_view clearText) {
  std::string codeBytes;  // what character codes would write, one byte per character
  for (std::string_view rest = clearText; !rest.empty();) {
    const std::string character = fw::Mid(rest, 1, 1);
    if (fw::Asc(character) > 255) return ClearTextCoding::Utf8Bytes;
    codeBytes += fw::ChrB(fw::Asc(character));
    rest.remove_prefix(character.size());
  }
  return ReadsAsWiderUtf8(codeBytes) ? ClearTextCoding::Utf8Bytes : ClearTextCoding::CharacterCodes;
}

std::string HexGroup(std::string_view character, ClearTextCoding coding) {
  if (coding == ClearTextCoding::CharacterCodes) return TwoDigits(fw::Asc(character));
  std::string group;
  for (const char byte : character) group += TwoDigits(static_cast<unsigned char>(byte));
  return group;
}

}  // namespace cipher
