// Property lists: the exact bytes of each value type, the standard lists of a
// window and of each control kind, and a decoder that refuses what is malformed.
#include "app/framework/proplist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/framework/scheme.h"

namespace {

using fw::Color;
using fw::Kind;
using fw::Property;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int byte : bytes) out.push_back(static_cast<char>(byte));
  return out;
}

std::string Encode(std::initializer_list<Property> entries) {
  const std::vector<Property> list(entries);
  return fw::EncodePropertyList(list);
}

std::vector<std::string> Names(std::span<const Property> list) {
  std::vector<std::string> names;
  for (const auto& p : list) names.push_back(p.name);
  return names;
}

// Decodes exactly these bytes from a buffer of their size, so that a read past
// the end is a read past the buffer (which the address sanitizer reports).
std::vector<Property> DecodeExactly(std::string_view bytes) {
  const std::vector<char> buffer(bytes.begin(), bytes.end());
  return fw::DecodePropertyList(std::string_view(buffer.data(), buffer.size()));
}

const Color kWhite{255, 255, 255};
const Color kBlack{0, 0, 0};
const std::string kEmpty;
const std::string kSystem = "System";

TEST(PropertyBytes, EachTypeHasItsFixedWidth) {
  // Int32: four bytes, big-endian, two's complement.
  EXPECT_EQ(Encode({{"Index", fw::kNoIndex}}), "Index " + Bytes({0x80, 0, 0, 0}));
  EXPECT_EQ(Encode({{"Width", 523}}), "Width " + Bytes({0x00, 0x00, 0x02, 0x0B}));
  EXPECT_EQ(Encode({{"Left", -1}}), "Left " + Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode({{"MaxWidth", 32000}}), "MaxWidth " + Bytes({0, 0, 0x7D, 0x00}));
  // String: a four-byte count, then the UTF-8 bytes, no terminator.
  EXPECT_EQ(Encode({{"HelpTag", kEmpty}}), "HelpTag " + Bytes({0, 0, 0, 0}));
  EXPECT_EQ(Encode({{"Caption", std::string("Go")}}), "Caption " + Bytes({0, 0, 0, 2}) + "Go");
  EXPECT_EQ(Encode({{"Title", std::string("\xC3\xA9")}}),
            "Title " + Bytes({0, 0, 0, 2, 0xC3, 0xA9}));
  // Color: red, green, blue.
  EXPECT_EQ(Encode({{"BackColor", kWhite}}), "BackColor " + Bytes({0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode({{"TextColor", Color{13, 48, 255}}}), "TextColor " + Bytes({0x0D, 0x30, 0xFF}));
  // Boolean: one byte.
  EXPECT_EQ(Encode({{"Visible", true}}), "Visible " + Bytes({1}));
  EXPECT_EQ(Encode({{"Bold", false}}), "Bold " + Bytes({0}));
  // Entries follow one another with nothing between or after them.
  EXPECT_EQ(Encode({{"Visible", true}, {"Width", 1}}), "Visible \x01Width " + Bytes({0, 0, 0, 1}));
}

TEST(PropertyBytes, AWindowListIsItsTwentyOneEntriesByteForByte) {
  const std::string expected =
      "Placement " + Bytes({0, 0, 0, 2}) + "Width " + Bytes({0, 0, 0x02, 0x0B}) + "Height " +
      Bytes({0, 0, 0x01, 0x2C}) + "MinWidth " + Bytes({0, 0, 0, 64}) + "MinHeight " +
      Bytes({0, 0, 0, 64}) + "MaxWidth " + Bytes({0, 0, 0x7D, 0}) + "MaxHeight " +
      Bytes({0, 0, 0x7D, 0}) + "Frame " + Bytes({0, 0, 0, 0}) + "Composite " + Bytes({0}) +
      "HasBackColor " + Bytes({0}) + "BackColor " + Bytes({0xFF, 0xFF, 0xFF}) + "Title " +
      Bytes({0, 0, 0, 9}) + "Tool \xE2\x82\xAC!" + "Visible " + Bytes({1}) + "FullScreen " +
      Bytes({0}) + "MenuBarVisible " + Bytes({1}) + "CloseButton " + Bytes({1}) + "Resizeable " +
      Bytes({1}) + "LiveResize " + Bytes({1}) + "MaximizeButton " + Bytes({0}) + "MinimizeButton " +
      Bytes({1}) + "MacProcID " + Bytes({0, 0, 0, 0});
  EXPECT_EQ(fw::WindowPropertyList({2, 523, 300, "Tool \xE2\x82\xAC!"}), expected);
}

TEST(StandardLists, WindowHasItsTwentyOneEntriesInOrder) {
  const std::vector<Property> expected = {{"Placement", 0},
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
  const auto list = fw::StandardList(Kind::Window);
  EXPECT_EQ(std::vector<Property>(list.begin(), list.end()), expected);
}

// The twelve entries every control list begins with, for a control with no values yet.
std::vector<Property> Head() {
  return {{"Name", kEmpty},     {"Index", fw::kNoIndex}, {"Left", 0},          {"Top", 0},
          {"Width", 0},         {"Height", 0},           {"LockLeft", true},   {"LockTop", true},
          {"LockRight", false}, {"LockBottom", false},   {"TabPanelIndex", 0}, {"TabIndex", 0}};
}

std::vector<Property> WithHead(std::initializer_list<Property> tail) {
  auto list = Head();
  list.insert(list.end(), tail);
  return list;
}

void ExpectStandardList(Kind kind, const std::vector<Property>& expected) {
  const auto list = fw::StandardList(kind);
  const std::vector<Property> actual(list.begin(), list.end());
  EXPECT_EQ(Names(actual), Names(expected));
  EXPECT_EQ(actual, expected);
}

TEST(StandardLists, EachControlKindHasItsEntriesAndDefaultsInOrder) {
  ExpectStandardList(Kind::Canvas, WithHead({{"TabStop", true},
                                             {"Visible", true},
                                             {"HelpTag", kEmpty},
                                             {"AutoDeactivate", true},
                                             {"Enabled", true},
                                             {"UseFocusRing", true},
                                             {"AcceptFocus", false},
                                             {"AcceptTabs", false},
                                             {"DoubleBuffer", false},
                                             {"EraseBackground", true},
                                             {"InitialParent", kEmpty}}));
  ExpectStandardList(Kind::PushButton, WithHead({{"TabStop", true},
                                                 {"Caption", kEmpty},
                                                 {"Default", false},
                                                 {"Cancel", false},
                                                 {"Enabled", true},
                                                 {"Visible", true},
                                                 {"HelpTag", kEmpty},
                                                 {"AutoDeactivate", true},
                                                 {"ButtonStyle", 0},
                                                 {"TextFont", kSystem},
                                                 {"Bold", false},
                                                 {"Italic", false},
                                                 {"Underline", false},
                                                 {"InitialParent", kEmpty}}));
  ExpectStandardList(Kind::Label, WithHead({{"Text", kEmpty},
                                            {"TextAlign", 0},
                                            {"TextColor", kBlack},
                                            {"Multiline", false},
                                            {"Enabled", true},
                                            {"Visible", true},
                                            {"Selectable", false},
                                            {"Transparent", false},
                                            {"HelpTag", kEmpty},
                                            {"AutoDeactivate", true},
                                            {"TextFont", kSystem},
                                            {"Bold", false},
                                            {"Italic", false},
                                            {"Underline", false},
                                            {"DataSource", kEmpty},
                                            {"DataField", kEmpty},
                                            {"InitialParent", kEmpty}}));
  ExpectStandardList(Kind::TextArea, WithHead({{"TabStop", true},
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
                                               {"TextFont", kSystem},
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
                                               {"DataField", kEmpty}}));
  ExpectStandardList(Kind::TextField, WithHead({{"TabStop", true},
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
                                                {"TextFont", kSystem},
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
                                                {"DataField", kEmpty}}));
  // The rounded rectangle's TabIndex comes before its TabPanelIndex.
  ExpectStandardList(Kind::RoundRectangle, {{"Name", kEmpty},
                                            {"Index", fw::kNoIndex},
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
                                            {"InitialParent", kEmpty}});
}

TEST(StandardLists, AKindHasOnlyItsOwnProperties) {
  EXPECT_TRUE(fw::HasProperty(Kind::Label, "TabStop"));  // an optional leading entry
  EXPECT_TRUE(fw::HasProperty(Kind::Label, "InitialParent"));
  EXPECT_FALSE(fw::HasProperty(Kind::TextArea, "InitialParent"));
  EXPECT_FALSE(fw::HasProperty(Kind::TextField, "InitialParent"));
  EXPECT_FALSE(fw::HasProperty(Kind::TextField, "Multiline"));
  EXPECT_FALSE(fw::HasProperty(Kind::PushButton, "Text"));
  EXPECT_FALSE(fw::HasProperty(Kind::Label, "Caption"));
  EXPECT_FALSE(fw::HasProperty(Kind::Window, "Name"));
  EXPECT_FALSE(fw::HasProperty(Kind::Canvas, "Text"));
  EXPECT_FALSE(fw::HasProperty(Kind::PushButton, "FillColor"));
  EXPECT_FALSE(fw::HasProperty(Kind::PushButton, "caption"));  // names are case-sensitive
}

TEST(PropertyDecoding, DecodesWhatWasEncoded) {
  const std::vector<Property> odd = {{"Caption", std::string("a b  c ")},  // spaces inside a value
                                     {"Text", std::string("\0\x01 \xFF", 4)},
                                     {"Title", std::string("\xE2\x82\xAC \xF0\x9F\x98\x80")},
                                     {"Left", fw::kNoIndex},
                                     {"Top", -523},
                                     {"TabIndex", 2147483647},
                                     {"TextColor", Color{0, 0x20, 0xFF}},
                                     {"Bold", true},
                                     {"Italic", false}};
  EXPECT_EQ(fw::DecodePropertyList(fw::EncodePropertyList(odd)), odd);
  for (Kind kind : {Kind::Window, Kind::PushButton, Kind::Label, Kind::TextField, Kind::TextArea,
                    Kind::Canvas, Kind::RoundRectangle}) {
    const auto list = fw::StandardList(kind);
    EXPECT_EQ(fw::DecodePropertyList(fw::EncodePropertyList(list)),
              std::vector<Property>(list.begin(), list.end()));
  }
  EXPECT_TRUE(fw::DecodePropertyList("").empty());
}

TEST(PropertyDecoding, ACutListIsRefusedUnlessCutBetweenEntries) {
  const fw::ControlData button{Kind::PushButton, "PushButton1", 10, 20, 80, 24, 3, "Go on"};
  for (const std::string& bytes :
       {fw::ControlPropertyList(button), fw::WindowPropertyList({0, 300, 200, "A title"})}) {
    const auto entries = fw::DecodePropertyList(bytes);
    // Where each entry ends, the bytes before it are a list of the entries before it.
    std::vector<std::size_t> boundaries;
    for (std::size_t n = 0; n <= entries.size(); ++n)
      boundaries.push_back(fw::EncodePropertyList(std::span(entries).first(n)).size());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      const auto prefix = std::string_view(bytes).substr(0, cut);
      const auto boundary = std::find(boundaries.begin(), boundaries.end(), cut);
      if (boundary != boundaries.end()) {
        EXPECT_EQ(DecodeExactly(prefix).size(), std::size_t(boundary - boundaries.begin()));
      } else {
        EXPECT_THROW(DecodeExactly(prefix), fw::BadPropertyListException) << "cut at " << cut;
      }
    }
  }
}

TEST(PropertyDecoding, RefusesMalformedValues) {
  // A String count that is negative, or larger than what follows.
  EXPECT_THROW(DecodeExactly("Title " + Bytes({0xFF, 0xFF, 0xFF, 0xFE}) + "ab"),
               fw::BadPropertyListException);
  EXPECT_THROW(DecodeExactly("Title " + Bytes({0x80, 0, 0, 0})), fw::BadPropertyListException);
  EXPECT_THROW(DecodeExactly("Title " + Bytes({0x7F, 0xFF, 0xFF, 0xFF}) + "ab"),
               fw::BadPropertyListException);
  EXPECT_THROW(DecodeExactly("Title " + Bytes({0, 0, 0, 3}) + "ab"), fw::BadPropertyListException);
  // A Boolean byte other than 0 or 1.
  EXPECT_THROW(DecodeExactly("Visible " + Bytes({2})), fw::BadPropertyListException);
  // An entry with no name, or a name with no space after it.
  EXPECT_THROW(DecodeExactly(" " + Bytes({1})), fw::BadPropertyListException);
  EXPECT_THROW(DecodeExactly("Visible"), fw::BadPropertyListException);
  EXPECT_THROW(DecodeExactly("Visible \x01"
                             "Bold"),
               fw::BadPropertyListException);
}

TEST(ControlLists, ARowFillsItsKindsStandardList) {
  fw::ControlData label{Kind::Label, "StaticText1", 20, 14, 150, 20, 4, "n ="};
  label.overrides = {{"TextAlign", 2}, {"Bold", true}, {"TextColor", Color{13, 48, 255}}};
  label.leadingTabStop = true;
  auto expected = WithHead({{"Text", std::string("n =")},
                            {"TextAlign", 2},
                            {"TextColor", Color{13, 48, 255}},
                            {"Multiline", false},
                            {"Enabled", true},
                            {"Visible", true},
                            {"Selectable", false},
                            {"Transparent", false},
                            {"HelpTag", kEmpty},
                            {"AutoDeactivate", true},
                            {"TextFont", kSystem},
                            {"Bold", true},
                            {"Italic", false},
                            {"Underline", false},
                            {"DataSource", kEmpty},
                            {"DataField", kEmpty},
                            {"InitialParent", kEmpty}});
  expected[0].value = std::string("StaticText1");
  expected[2].value = 20;
  expected[3].value = 14;
  expected[4].value = 150;
  expected[5].value = 20;
  expected[11].value = 4;
  expected.insert(expected.begin(), {"TabStop", true});
  EXPECT_EQ(fw::DecodePropertyList(fw::ControlPropertyList(label)), expected);

  // A button's text is its Caption; a text area's is its Text.
  const fw::ControlData button{Kind::PushButton, "PushButton1", 1, 2, 3, 4, 5, "Go"};
  const auto buttonList = fw::DecodePropertyList(fw::ControlPropertyList(button));
  EXPECT_EQ(buttonList[13], (Property{"Caption", std::string("Go")}));
  const fw::ControlData area{Kind::TextArea, "TextArean", 1, 2, 3, 4, 5, "65537"};
  const auto areaList = fw::DecodePropertyList(fw::ControlPropertyList(area));
  EXPECT_EQ(areaList[31], (Property{"Text", std::string("65537")}));
}

TEST(ControlLists, ARowThatDoesNotFitItsKindIsRefused) {
  // A misspelt or foreign entry must not vanish from a window's data unnoticed.
  fw::ControlData field{Kind::TextField, "TextField1", 0, 0, 10, 10, 0};
  field.overrides = {{"Multiline", true}};
  EXPECT_THROW(fw::ControlPropertyList(field), fw::BadPropertyListException);
  field.overrides = {{"Bold ", true}};
  EXPECT_THROW(fw::ControlPropertyList(field), fw::BadPropertyListException);
  // A value of the wrong type would make bytes that no longer follow the format.
  field.overrides = {{"Bold", 1}};
  EXPECT_THROW(fw::ControlPropertyList(field), fw::BadPropertyListException);
  // A canvas shows no text.
  const fw::ControlData canvas{Kind::Canvas, "Canvas1", 0, 0, 10, 10, 0, "lost"};
  EXPECT_THROW(fw::ControlPropertyList(canvas), fw::BadPropertyListException);
}

}  // namespace
