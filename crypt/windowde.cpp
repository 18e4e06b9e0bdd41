#include "crypt/windowde.h"

#include <string>
#include <string_view>

#include "app/framework/runtime.h"
#include "app/framework/scheme.h"
#include "app/framework/text.h"
#include "crypt/bignum/bignum.h"
#include "crypt/keysize.h"

namespace cipher {
namespace {

const fw::WindowData kWindow{.placement = 2, .width = 865, .height = 474, .title = "Untitled"};

// In creation order. Every label's list begins with a TabStop entry. No control has tab
// index 5, and the d field, though it stands under n, is created last and comes last in tab
// order.
const fw::ControlData kControls[] = {
    // kind, name, left, top, width, height, tab index, text or caption, overrides, TabStop first
    {fw::Kind::Label, "StaticText1", 21, 10, 100, 20, 0, "encrypted text:", {}, true},
    {fw::Kind::TextArea, "TextAreaet", 21, 42, 250, 412, 1},
    {fw::Kind::Label, "StaticText2", 295, 10, 100, 20, 2, "n:", {}, true},
    {fw::Kind::TextArea, "TextArean", 295, 42, 192, 176, 3},
    {fw::Kind::Label, "StaticText3", 295, 246, 100, 20, 4, "d:", {}, true},
    {fw::Kind::PushButton, "PushButton1", 499, 238, 80, 20, 6, "Go"},
    {fw::Kind::Label, "StaticText4", 603, 14, 100, 20, 7, "clear text:", {}, true},
    {fw::Kind::TextArea, "TextAreaOut", 603, 42, 250, 412, 8},
    {fw::Kind::TextArea, "TextAread", 295, 278, 192, 176, 9},
};

const fw::EventBinding<class WindowDe> kBindings[] = {
    {"PushButton1", fw::EventNumber::Action, &WindowDe::PushButton1_Action},
};

}  // namespace

std::shared_ptr<class WindowDe> WindowDe() {
  return fw::ImplicitInstance<class WindowDe>();
}

WindowDe::WindowDe() : fw::Window(std::string(kRegisteredName)) {}

void WindowDe::Layout() {
  fw::SetProperties(*this, fw::WindowPropertyList(kWindow));
}

void WindowDe::CreateControls() {
  CreateControls0();
}

void WindowDe::CreateControls0() {
  fw::CreateControls<WindowDe>(*this, kControls, kBindings);
}

fw::Label& WindowDe::StaticText1() const {
  return ControlAs<fw::Label>("StaticText1");
}
fw::TextArea& WindowDe::TextAreaet() const {
  return ControlAs<fw::TextArea>("TextAreaet");
}
fw::Label& WindowDe::StaticText2() const {
  return ControlAs<fw::Label>("StaticText2");
}
fw::TextArea& WindowDe::TextArean() const {
  return ControlAs<fw::TextArea>("TextArean");
}
fw::Label& WindowDe::StaticText3() const {
  return ControlAs<fw::Label>("StaticText3");
}
fw::PushButton& WindowDe::PushButton1() const {
  return ControlAs<fw::PushButton>("PushButton1");
}
fw::Label& WindowDe::StaticText4() const {
  return ControlAs<fw::Label>("StaticText4");
}
fw::TextArea& WindowDe::TextAreaOut() const {
  return ControlAs<fw::TextArea>("TextAreaOut");
}
fw::TextArea& WindowDe::TextAread() const {
  return ControlAs<fw::TextArea>("TextAread");
}

fw::ClassRecord WindowDe::Record() {
  return fw::WindowClassRecord("WindowDe", kControls, {"PushButton1_Action"});
}

// Base-36 text -> c -> m = c^d mod n -> one byte per pair of m's hexadecimal digits. Each
// refusal shows its message and ends the command before the clear-text area is written.
void WindowDe::PushButton1_Action(fw::PushButton& /*sender*/) {
  const std::string encryptedText = TextAreaet().Text();
  if (bn::IsBlank(encryptedText)) {
    fw::MsgBox("no encrypted text");
    return;
  }

  const bn::BigInteger n(TextArean().Text());
  const bn::BigInteger d(TextAread().Text());
  if (n == 0 || d == 0) {
    fw::MsgBox("missing key code");
    return;
  }
  if (KeyCodeTooBig(n) || KeyCodeTooBig(d)) {
    fw::MsgBox("key code is too big");
    return;
  }

  const bn::BigInteger c(bn::fpConvBase(encryptedText, 10, 36, 0, true));
  const bn::BigInteger m = bn::fpPowerMod(c, d, 0, n);
  // m keeps no leading zero digit, so a first byte below 16 has one digit: a 0 makes it whole.
  std::string hex = bn::fpConvBase(bn::Str(m), 16, 10, 0, true);
  if (hex.size() % 2 != 0) hex.insert(0, 1, '0');

  // The digits are plain ASCII, so the pairs are taken by bytes: one pass over the text.
  std::string clearText;
  for (std::string_view rest = hex; rest.size() >= 2; rest.remove_prefix(2)) {
    const double value = fw::Val("&h" + std::string(rest.substr(0, 2)));
    clearText += fw::ChrB(fw::DoubleToInt32(value));
    fw::RuntimeBackgroundTask();
    if (IsClosed()) return;  // the user has closed the window: nobody to show the text to
  }
  TextAreaOut().SetText(clearText);
}

}  // namespace cipher
