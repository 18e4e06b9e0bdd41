// The decryption window: an encrypted text and the private key (n, d) in, the
// clear text out.
#pragma once

#include <memory>
#include <string_view>

#include "app/framework/classes.h"
#include "app/framework/controls.h"
#include "app/framework/window.h"

namespace cipher {

class WindowDe final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "WindowDe.WindowDe";
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();
  WindowDe();

  fw::Label& StaticText1() const;
  fw::TextArea& TextAreaet() const;
  fw::Label& StaticText2() const;
  fw::TextArea& TextArean() const;
  fw::Label& StaticText3() const;
  fw::PushButton& PushButton1() const;
  fw::Label& StaticText4() const;
  fw::TextArea& TextAreaOut() const;
  fw::TextArea& TextAread() const;

  // The Go command.
  void PushButton1_Action(fw::PushButton& sender);

 private:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
};

// The open decryption window, or a new one, on screen at once.
std::shared_ptr<WindowDe> WindowDe();

}  // namespace cipher
