// The encryption window: a clear text and the public key (n, e) in, one
// base-36 number out, handed on to the decryption window.
#pragma once

#include <memory>
#include <string_view>

#include "app/framework/classes.h"
#include "app/framework/controls.h"
#include "app/framework/window.h"

namespace cipher {

class WindowEn final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "WindowEn.WindowEn";
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();
  WindowEn();

  fw::Label& StaticText1() const;
  fw::TextArea& TextAreact() const;
  fw::Label& StaticText2() const;
  fw::TextArea& TextArean() const;
  fw::Label& StaticText3() const;
  fw::TextField& TextFielde() const;
  fw::PushButton& PushButton1() const;
  fw::Label& StaticText4() const;
  fw::TextArea& TextAreaOut() const;

  // The Go command.
  void PushButton1_Action(fw::PushButton& sender);

 private:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
};

// The open encryption window, or a new one, on screen at once.
std::shared_ptr<WindowEn> WindowEn();

}  // namespace cipher
