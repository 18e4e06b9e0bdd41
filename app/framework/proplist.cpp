#include "app/framework/proplist.h"

#include <algorithm>
#include <array>

namespace fw {
namespace {

enum class Type { Int32, Boolean, Color, String };

constexpr std::string_view kInt32Names[] = {
    "Placement",     "Width",     "Height",    "MinWidth",    "MinHeight", "MaxWidth",
    "MaxHeight",     "Frame",     "MacProcID", "Index",       "Left",      "Top",
    "TabPanelIndex", "TabIndex",  "TextAlign", "ButtonStyle", "LimitText", "Alignment",
    "BorderWidth",   "OvalWidth", "OvalHeight"};
constexpr std::string_view kColorNames[] = {"BackColor", "TextColor", "FillColor", "BorderColor"};
constexpr std::string_view kStringNames[] = {"Title",   "Name",       "HelpTag",   "Caption",
                                             "Text",    "TextFont",   "Format",    "Mask",
                                             "CueText", "DataSource", "DataField", "InitialParent"};

bool In(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Every property not named above is a Boolean.
Type TypeOf(std::string_view name) {
  if (In(kInt32Names, name)) return Type::Int32;
  if (In(kColorNames, name)) return Type::Color;
  if (In(kStringNames, name)) return Type::String;
  return Type::Boolean;
}

void PutInt32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(bits >> shift));
}

struct Reader {
  std::string_view bytes;
  std::size_t pos = 0;

  std::string_view Take(std::size_t count) {
    if (bytes.size() - pos < count)
      throw BadPropertyListException("The property list ends in the middle of an entry.");
    const auto taken = bytes.substr(pos, count);
    pos += count;
    return taken;
  }
  std::int32_t Int32() {
    std::uint32_t bits = 0;
    for (unsigned char byte : Take(4)) bits = bits << 8 | byte;
    return static_cast<std::int32_t>(bits);
  }
};

const Property kCommonControlHead[] = {{"Name", std::string()},
                                       {"Index", kNoIndex},
                                       {"Left", 0},
                                       {"Top", 0},
                                       {"Width", 0},
                                       {"Height", 0},
                                       {"LockLeft", true},
                                       {"LockTop", true},
                                       {"LockRight", false},
                                       {"LockBottom", false},
                                       {"TabPanelIndex", 0},
                                       {"TabIndex", 0}};

std::vector<Property> ControlList(std::initializer_list<Property> tail) {
  std::vector<Property> list(std::begin(kCommonControlHead), std::end(kCommonControlHead));
  list.insert(list.end(), tail);
  return list;
}

const Color kBlack{0, 0, 0};
const Color kWhite{255, 255, 255};
const std::string kEmpty;
const std::string kSystemFont = "System";

}  // namespace

std::string EncodePropertyList(std::span<const Property> entries) {
  std::string out;
  for (const auto& entry : entries) {
    out += entry.name;
    out += ' ';
    std::visit(
        [&out](const auto& value) {
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::int32_t>) {
            PutInt32(out, value);
          } else if constexpr (std::is_same_v<T, bool>) {
            out.push_back(value ? 1 : 0);
          } else if constexpr (std::is_same_v<T, Color>) {
            out += {static_cast<char>(value.red), static_cast<char>(value.green),
                    static_cast<char>(value.blue)};
          } else {
            PutInt32(out, static_cast<std::int32_t>(value.size()));
            out += value;
          }
        },
        entry.value);
  }
  return out;
}

std::vector<Property> DecodePropertyList(std::string_view bytes) {
  std::vector<Property> entries;
  Reader in{bytes};
  while (in.pos < bytes.size()) {
    const auto space = bytes.find(' ', in.pos);
    if (space == std::string_view::npos)
      throw BadPropertyListException("The property list ends in the middle of an entry.");
    std::string name(in.Take(space - in.pos));
    in.Take(1);
    if (name.empty())
      throw BadPropertyListException("The property list has an entry with no name.");
    switch (TypeOf(name)) {
      case Type::Int32:
        entries.push_back({std::move(name), in.Int32()});
        break;
      case Type::Boolean: {
        const auto byte = static_cast<unsigned char>(in.Take(1)[0]);
        if (byte > 1)
          throw BadPropertyListException("The property " + name + " has no valid Boolean value.");
        entries.push_back({std::move(name), byte == 1});
        break;
      }
      case Type::Color: {
        const auto rgb = in.Take(3);
        entries.push_back({std::move(name), Color{static_cast<std::uint8_t>(rgb[0]),
                                                  static_cast<std::uint8_t>(rgb[1]),
                                                  static_cast<std::uint8_t>(rgb[2])}});
        break;
      }
      case Type::String: {
        const std::int32_t count = in.Int32();
        if (count < 0)
          throw BadPropertyListException("The property " + name + " has a negative length.");
        entries.push_back({std::move(name), std::string(in.Take(static_cast<std::size_t>(count)))});
        break;
      }
    }
  }
  return entries;
}

std::span<const Property> StandardList(Kind kind) {
  static const std::vector<Property> kWindow = {{"Placement", 0},
                                                {"Width", 0},
                                                {"Height", 0},
                                                {"MinWidth", 64},
                                                {"MinHeight", 64},
                                                {"MaxWidth", 32000},
                                                {"MaxHeight", 32000},
                                                {"Frame", 0},
                                                {"Composite", false},
                                                {"HasBackColor", false},
                                                {"BackColor", kWhite},
                                                {"Title", kEmpty},
                                                {"Visible", true},
                                                {"FullScreen", false},
                                                {"MenuBarVisible", true},
                                                {"CloseButton", true},
                                                {"Resizeable", true},
                                                {"LiveResize", true},
                                                {"MaximizeButton", false},
                                                {"MinimizeButton", true},
                                                {"MacProcID", 0}};
  static const std::vector<Property> kCanvas = ControlList({{"TabStop", true},
                                                            {"Visible", true},
                                                            {"HelpTag", kEmpty},
                                                            {"AutoDeactivate", true},
                                                            {"Enabled", true},
                                                            {"UseFocusRing", true},
                                                            {"AcceptFocus", false},
                                                            {"AcceptTabs", false},
                                                            {"DoubleBuffer", false},
                                                            {"EraseBackground", true},
                                                            {"InitialParent", kEmpty}});
  static const std::vector<Property> kPushButton = ControlList({{"TabStop", true},
                                                                {"Caption", kEmpty},
                                                                {"Default", false},
                                                                {"Cancel", false},
                                                                {"Enabled", true},
                                                                {"Visible", true},
                                                                {"HelpTag", kEmpty},
                                                                {"AutoDeactivate", true},
                                                                {"ButtonStyle", 0},
                                                                {"TextFont", kSystemFont},
                                                                {"Bold", false},
                                                                {"Italic", false},
                                                                {"Underline", false},
                                                                {"InitialParent", kEmpty}});
  static const std::vector<Property> kLabel = ControlList({{"Text", kEmpty},
                                                           {"TextAlign", 0},
                                                           {"TextColor", kBlack},
                                                           {"Multiline", false},
                                                           {"Enabled", true},
                                                           {"Visible", true},
                                                           {"Selectable", false},
                                                           {"Transparent", false},
                                                           {"HelpTag", kEmpty},
                                                           {"AutoDeactivate", true},
                                                           {"TextFont", kSystemFont},
                                                           {"Bold", false},
                                                           {"Italic", false},
                                                           {"Underline", false},
                                                           {"DataSource", kEmpty},
                                                           {"DataField", kEmpty},
                                                           {"InitialParent", kEmpty}});
  static const std::vector<Property> kTextArea = ControlList({{"TabStop", true},
                                                              {"Border", true},
                                                              {"Multiline", true},
                                                              {"ScrollbarHorizontal", false},
                                                              {"ScrollbarVertical", true},
                                                              {"Styled", true},
                                                              {"UseFocusRing", true},
                                                              {"TextColor", kBlack},
                                                              {"BackColor", kWhite},
                                                              {"Enabled", true},
                                                              {"Format", kEmpty},
                                                              {"Visible", true},
                                                              {"HelpTag", kEmpty},
                                                              {"AutoDeactivate", true},
                                                              {"HideSelection", true},
                                                              {"TextFont", kSystemFont},
                                                              {"Bold", false},
                                                              {"Italic", false},
                                                              {"Underline", false},
                                                              {"Text", kEmpty},
                                                              {"Mask", kEmpty},
                                                              {"ReadOnly", false},
                                                              {"LimitText", 0},
                                                              {"AcceptTabs", false},
                                                              {"Alignment", 0},
                                                              {"AutomaticallyCheckSpelling", true},
                                                              {"DataSource", kEmpty},
                                                              {"DataField", kEmpty}});
  static const std::vector<Property> kTextField =
      ControlList({{"TabStop", true},
                   {"Border", true},
                   {"Password", false},
                   {"UseFocusRing", true},
                   {"TextColor", kBlack},
                   {"BackColor", kWhite},
                   {"Enabled", true},
                   {"Format", kEmpty},
                   {"Visible", true},
                   {"HelpTag", kEmpty},
                   {"AutoDeactivate", true},
                   {"TextFont", kSystemFont},
                   {"Bold", false},
                   {"Italic", false},
                   {"Underline", false},
                   {"CueText", kEmpty},
                   {"Text", kEmpty},
                   {"Mask", kEmpty},
                   {"ReadOnly", false},
                   {"LimitText", 0},
                   {"AcceptTabs", false},
                   {"Alignment", 0},
                   {"AutomaticallyCheckSpelling", false},
                   {"DataSource", kEmpty},
                   {"DataField", kEmpty}});
  static const std::vector<Property> kRoundRectangle = {{"Name", kEmpty},
                                                        {"Index", kNoIndex},
                                                        {"Left", 0},
                                                        {"Top", 0},
                                                        {"Width", 0},
                                                        {"Height", 0},
                                                        {"LockLeft", true},
                                                        {"LockTop", true},
                                                        {"LockRight", false},
                                                        {"LockBottom", false},
                                                        {"TabIndex", 0},
                                                        {"TabPanelIndex", 0},
                                                        {"Visible", true},
                                                        {"HelpTag", kEmpty},
                                                        {"AutoDeactivate", true},
                                                        {"Enabled", true},
                                                        {"FillColor", kWhite},
                                                        {"BorderWidth", 1},
                                                        {"BorderColor", kBlack},
                                                        {"OvalWidth", 16},
                                                        {"OvalHeight", 16},
                                                        {"InitialParent", kEmpty}};
  switch (kind) {
    case Kind::Window:
      return kWindow;
    case Kind::PushButton:
      return kPushButton;
    case Kind::Label:
      return kLabel;
    case Kind::TextField:
      return kTextField;
    case Kind::TextArea:
      return kTextArea;
    case Kind::Canvas:
      return kCanvas;
    case Kind::RoundRectangle:
      return kRoundRectangle;
  }
  return {};
}

bool HasProperty(Kind kind, std::string_view name) {
  // A label may also carry TabStop, ahead of its other entries.
  if (kind == Kind::Label && name == "TabStop") return true;
  const auto list = StandardList(kind);
  return std::any_of(list.begin(), list.end(), [&](const Property& p) { return p.name == name; });
}

}  // namespace fw
