#include "crypt/windowen.h"

#include <string>

#include "app/framework/runtime.h"
#include "app/framework/scheme.h"
#include "app/framework/text.h"
#include "crypt/bignum/bignum.h"
#include "crypt/cleartext.h"
#include "crypt/keysize.h"
#include "crypt/windowde.h"

namespace cipher {
namespace {

const fw::WindowData kWindow{.placement = 2, .width = 953, .height = 430, .title = "Encode"};

// In tab order, which is also the order of creation.
const fw::ControlData kControls[] = {
    // kind, name, left, top, width, height, tab index, text or caption
    {fw::Kind::Label, "StaticText1", 21, 10, 100, 20, 0, "clear text:"},
    {fw::Kind::TextArea, "TextAreact", 21, 46, 301, 364, 1},
    {fw::Kind::Label, "StaticText2", 344, 14, 100, 20, 2, "n:"},
    {fw::Kind::TextArea, "TextArean", 344, 46, 192, 176, 3},
    {fw::Kind::Label, "StaticText3", 344, 258, 100, 20, 4, "e:"},
    {fw::Kind::TextField, "TextFielde", 344, 297, 128, 22, 5},
    {fw::Kind::PushButton, "PushButton1", 400, 360, 80, 20, 6, "Go"},
    {fw::Kind::Label, "StaticText4", 569, 14, 100, 20, 7, "encrypted text:"},
    {fw::Kind::TextArea, "TextAreaOut", 569, 46, 354, 364, 8},
};

const fw::EventBinding<class WindowEn> kBindings[] = {
    {"PushButton1", fw::EventNumber::Action, &WindowEn::PushButton1_Action},
};

}  // namespace

std::shared_ptr<class WindowEn> WindowEn() {
  return fw::ImplicitInstance<class WindowEn>();
}

WindowEn::WindowEn() : fw::Window(std::string(kRegisteredName)) {}

void WindowEn::Layout() {
  fw::SetProperties(*this, fw::WindowPropertyList(kWindow));
}

void WindowEn::CreateControls() {
  CreateControls0();
}

void WindowEn::CreateControls0() {
  fw::CreateControls<WindowEn>(*this, kControls, kBindings);
}

fw::Label& WindowEn::StaticText1() const {
  return ControlAs<fw::Label>("StaticText1");
}
fw::TextArea& WindowEn::TextAreact() const {
  return ControlAs<fw::TextArea>("TextAreact");
}
fw::Label& WindowEn::StaticText2() const {
  return ControlAs<fw::Label>("StaticText2");
}
fw::TextArea& WindowEn::TextArean() const {
  return ControlAs<fw::TextArea>("TextArean");
}
fw::Label& WindowEn::StaticText3() const {
  return ControlAs<fw::Label>("StaticText3");
}
fw::TextField& WindowEn::TextFielde() const {
  return ControlAs<fw::TextField>("TextFielde");
}
fw::PushButton& WindowEn::PushButton1() const {
  return ControlAs<fw::PushButton>("PushButton1");
}
fw::Label& WindowEn::StaticText4() const {
  return ControlAs<fw::Label>("StaticText4");
}
fw::TextArea& WindowEn::TextAreaOut() const {
  return ControlAs<fw::TextArea>("TextAreaOut");
}

fw::ClassRecord WindowEn::Record() {
  return fw::WindowClassRecord("WindowEn", kControls, {"PushButton1_Action"});
}

// Clear text -> one number m below n -> c = m^e mod n -> c in base 36. Each refusal shows its
// message and ends the command before any field is written.
void WindowEn::PushButton1_Action(fw::PushButton& /*sender*/) {
  const std::string clearText = TextAreact().Text();
  if (clearText.empty()) {
    fw::MsgBox("no input text");
    return;
  }

  const bn::BigInteger n(TextArean().Text());
  const bn::BigInteger e(TextFielde().Text());
  if (n == 0 || e == 0) {
    fw::MsgBox("missing key code");
    return;
  }
  if (KeyCodeTooBig(n) || KeyCodeTooBig(e)) {
    fw::MsgBox("key code is too big");
    return;
  }

  // One group of digits per character. The text is walked once from the front: finding each
  // position afresh would make a long text quadratic.
  const ClearTextCoding coding = CodingFor(clearText);
  std::string digits;
  for (std::string_view rest = clearText; !rest.empty();) {
    const std::string character = fw::Mid(rest, 1, 1);
    rest.remove_prefix(character.size());
    digits += HexGroup(character, coding);
    fw::RuntimeBackgroundTask();
    if (IsClosed()) return;  // the user has closed the window: nothing to hand over
  }

  const bn::BigInteger m(bn::fpConvBase(digits, 10, 16, 0, true));
  if ((m <=> n) >= 0) {
    fw::MsgBox("clear text is too big for input n");
    return;
  }

  const bn::BigInteger c = bn::fpPowerMod(m, e, 0, n);
  TextAreaOut().SetText(bn::fpConvBase(bn::Str(c), 36, 10, 0, false));
  WindowDe()->TextAreaet().SetText(TextAreaOut().Text());
}

}  // namespace cipher
