// Property lists: the byte strings that describe a window or a control.
// An entry is the property's ASCII name, one space and the value; the value's
// width follows from the property's type:
//   Int32   4 bytes, two's complement, big-endian
//   Boolean 1 byte, 0 or 1
//   Color   3 bytes, red, green, blue
//   String  4-byte big-endian byte count, then that many bytes of UTF-8
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/framework/exceptions.h"

namespace fw {

struct Color {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Color&) const = default;
};

using PropertyValue = std::variant<std::int32_t, bool, Color, std::string>;

struct Property {
  std::string name;
  PropertyValue value;
  bool operator==(const Property&) const = default;
};

// The kinds of object a property list can describe.
enum class Kind { Window, PushButton, Label, TextField, TextArea, Canvas, RoundRectangle };

// A list that is cut short, malformed, or names a property the object does not have.
class BadPropertyListException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// Index value of a control that is not one of a set sharing a name.
inline constexpr std::int32_t kNoIndex = INT32_MIN;

std::string EncodePropertyList(std::span<const Property> entries);
// Refuses a list cut short, an entry with no name, a Boolean other than 0 or 1
// and a negative byte count. A name of no Int32, Color or String property is
// read as a Boolean; whether the object has it is checked where it is applied.
std::vector<Property> DecodePropertyList(std::string_view bytes);

// Every property of an object of this kind, in list order, with its default value.
// Per-object values (name, geometry, tab index, title, text) default to 0 or empty.
std::span<const Property> StandardList(Kind kind);
bool HasProperty(Kind kind, std::string_view name);

}  // namespace fw
