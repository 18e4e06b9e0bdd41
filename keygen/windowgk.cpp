#include "keygen/windowgk.h"

#include <functional>

#include "app/framework/runtime.h"
#include "app/framework/scheme.h"
#include "app/framework/text.h"
#include "crypt/bignum/bignum.h"
#include "crypt/keysize.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "keygen/primesearch.h"

namespace keygen {
namespace {

using fw::Kind;

const fw::WindowData kWindow{.placement = 2, .width = 665, .height = 481, .title = "GenKeys"};

// Creation order, which is also the tab order.
const fw::ControlData kControls[] = {
    {Kind::Label, "StaticText1", 13, 28, 216, 20, 0, "minimum length of modulus n ="},
    {Kind::TextField, "TextFieldEstLen", 230, 27, 80, 22, 1},
    {Kind::Label, "StaticText2", 322, 28, 100, 20, 2, "bits"},
    {Kind::PushButton, "PushButton1", 361, 27, 80, 20, 3, "Go"},
    {Kind::Label, "StaticText3", 20, 60, 100, 20, 4, "p:"},
    {Kind::TextArea, "TextAreap", 20, 92, 180, 150, 5},
    {Kind::Label, "StaticText4", 230, 60, 100, 20, 6, "q:"},
    {Kind::TextArea, "TextAreaq", 230, 92, 180, 150, 7},
    {Kind::Label, "StaticText5", 465, 60, 100, 20, 8, "modulus n:"},
    {Kind::TextArea, "TextArean", 465, 92, 180, 150, 9},
    {Kind::Label, "StaticText6", 86, 279, 163, 20, 10, "public key exponent e:"},
    {Kind::TextArea, "TextAreae", 86, 311, 180, 150, 11},
    {Kind::Label, "StaticText7", 374, 279, 168, 20, 12, "private key exponent d:"},
    {Kind::TextArea, "TextAread", 374, 311, 180, 150, 13},
    {Kind::Label, "StaticText8", 465, 254, 100, 20, 14, "Bit Length ="},
    {Kind::TextField, "TextFieldLen", 554, 253, 80, 22, 15},
    {Kind::Label, "Label1", 453, 28, 112, 20, 16, "numNonPrimes:"},
    {Kind::TextField, "TextFieldNumNonPrimes", 565, 27, 80, 22, 17},
};

const fw::EventBinding<class WindowGK> kBindings[] = {
    {"PushButton1", fw::EventNumber::Action, &WindowGK::PushButton1_Action},
    {"PushButton1", fw::EventNumber::Open, &WindowGK::PushButton1_Open},
};

constexpr fw::Int32 kSmallestLength = 5;
// One probable-prime test of a candidate for a longer modulus keeps the event
// loop waiting for seconds; longer still, the window would seem to hang.
constexpr fw::Int32 kLargestLength = 16384;
// Every modulus lies below 2^(2k + 2), so the other windows take every key made.
static_assert(2 * (kLargestLength / 2) + 2 <= cipher::kLongestKeyBits);
constexpr std::int32_t kSmallestExponent = 3;

}  // namespace

std::shared_ptr<class WindowGK> WindowGK() {
  return fw::ImplicitInstance<class WindowGK>();
}

WindowGK::WindowGK() : fw::Window(std::string(kRegisteredName)) {}

void WindowGK::Layout() {
  fw::SetProperties(*this, fw::WindowPropertyList(kWindow));
}

void WindowGK::CreateControls() {
  CreateControls0();
}

void WindowGK::CreateControls0() {
  fw::CreateControls<class WindowGK>(*this, kControls, kBindings);
}

fw::Label& WindowGK::StaticText1() const {
  return ControlAs<fw::Label>("StaticText1");
}
fw::TextField& WindowGK::TextFieldEstLen() const {
  return ControlAs<fw::TextField>("TextFieldEstLen");
}
fw::Label& WindowGK::StaticText2() const {
  return ControlAs<fw::Label>("StaticText2");
}
fw::PushButton& WindowGK::PushButton1() const {
  return ControlAs<fw::PushButton>("PushButton1");
}
fw::Label& WindowGK::StaticText3() const {
  return ControlAs<fw::Label>("StaticText3");
}
fw::TextArea& WindowGK::TextAreap() const {
  return ControlAs<fw::TextArea>("TextAreap");
}
fw::Label& WindowGK::StaticText4() const {
  return ControlAs<fw::Label>("StaticText4");
}
fw::TextArea& WindowGK::TextAreaq() const {
  return ControlAs<fw::TextArea>("TextAreaq");
}
fw::Label& WindowGK::StaticText5() const {
  return ControlAs<fw::Label>("StaticText5");
}
fw::TextArea& WindowGK::TextArean() const {
  return ControlAs<fw::TextArea>("TextArean");
}
fw::Label& WindowGK::StaticText6() const {
  return ControlAs<fw::Label>("StaticText6");
}
fw::TextArea& WindowGK::TextAreae() const {
  return ControlAs<fw::TextArea>("TextAreae");
}
fw::Label& WindowGK::StaticText7() const {
  return ControlAs<fw::Label>("StaticText7");
}
fw::TextArea& WindowGK::TextAread() const {
  return ControlAs<fw::TextArea>("TextAread");
}
fw::Label& WindowGK::StaticText8() const {
  return ControlAs<fw::Label>("StaticText8");
}
fw::TextField& WindowGK::TextFieldLen() const {
  return ControlAs<fw::TextField>("TextFieldLen");
}
fw::Label& WindowGK::Label1() const {
  return ControlAs<fw::Label>("Label1");
}
fw::TextField& WindowGK::TextFieldNumNonPrimes() const {
  return ControlAs<fw::TextField>("TextFieldNumNonPrimes");
}

fw::ClassRecord WindowGK::Record() {
  return fw::WindowClassRecord("WindowGK", kControls, {"PushButton1_Action", "PushButton1_Open"});
}

void WindowGK::PushButton1_Action(fw::PushButton& /*sender*/) {
  const fw::Int32 length = fw::DoubleToInt32(fw::CDbl(TextFieldEstLen().Text()));
  if (length < kSmallestLength || length > kLargestLength) return;
  const bn::BigInteger e(TextAreae().Text());
  if (e < kSmallestExponent) return;
  const fw::Int32 k = fw::DoubleToInt32(length / 2.0);

  // Each report gives the event loop a turn; a window closed meanwhile ends the press.
  const std::function<bool()> eventLoopTurn = [this] {
    fw::RuntimeBackgroundTask();
    return !IsClosed();
  };
  // A search that could never end is refused as quietly as a bad entry.
  if (!KeySetPossible(k, e, eventLoopTurn)) return;
  const SearchProgress progress{
      .candidateRejected =
          [&](std::int32_t count) {
            TextFieldNumNonPrimes().SetText(fw::Str(count));
            TextFieldNumNonPrimes().Refresh(true);
            return eventLoopTurn();
          },
      .attemptEnded = eventLoopTurn,
  };
  const std::optional<KeySet> key = SearchKeySet(k, e, kFreshSeed, progress);
  if (!key) return;

  TextAreaq().SetText(bn::Str(key->q));
  TextAreap().SetText(bn::Str(key->p));
  TextArean().SetText(bn::Str(key->n));
  TextFieldLen().SetText(fw::Str(bn::fpNumBits(key->n)));
  TextAread().SetText(bn::Str(key->d));
  cipher::WindowEn()->Hide();
  cipher::WindowEn()->TextArean().SetText(bn::Str(key->n));
  cipher::WindowEn()->TextFielde().SetText(bn::Str(e));
  cipher::WindowDe()->Hide();
  cipher::WindowDe()->TextArean().SetText(bn::Str(key->n));
  cipher::WindowDe()->TextAread().SetText(bn::Str(key->d));
}

void WindowGK::PushButton1_Open(fw::PushButton& /*sender*/) {
  TextAreae().SetText("65537");
}

}  // namespace keygen
