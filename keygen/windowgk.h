// The key-generation window: a minimum modulus length and an exponent in, a
// key set out, handed on to the encryption and decryption windows.
#pragma once

#include <memory>
#include <string_view>

#include "app/framework/classes.h"
#include "app/framework/controls.h"
#include "app/framework/window.h"

namespace keygen {

class WindowGK final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "WindowGK.WindowGK";
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();
  WindowGK();

  fw::Label& StaticText1() const;
  fw::TextField& TextFieldEstLen() const;
  fw::Label& StaticText2() const;
  fw::PushButton& PushButton1() const;
  fw::Label& StaticText3() const;
  fw::TextArea& TextAreap() const;
  fw::Label& StaticText4() const;
  fw::TextArea& TextAreaq() const;
  fw::Label& StaticText5() const;
  fw::TextArea& TextArean() const;
  fw::Label& StaticText6() const;
  fw::TextArea& TextAreae() const;
  fw::Label& StaticText7() const;
  fw::TextArea& TextAread() const;
  fw::Label& StaticText8() const;
  fw::TextField& TextFieldLen() const;
  fw::Label& Label1() const;
  fw::TextField& TextFieldNumNonPrimes() const;

  // Go: searches for a key set and hands it over.
  void PushButton1_Action(fw::PushButton& sender);
  // Puts the default exponent in place once the window is built.
  void PushButton1_Open(fw::PushButton& sender);

 private:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
};

// The open key-generation window, or a new one, on screen at once.
std::shared_ptr<WindowGK> WindowGK();

}  // namespace keygen
