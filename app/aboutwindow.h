// The About box: the product mark above a white panel that names the product,
// its version and its makers.
#pragma once

#include <memory>
#include <string_view>

#include "app/framework/classes.h"
#include "app/framework/controls.h"
#include "app/framework/window.h"

namespace app {

class AboutWindow final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "AboutWindow.AboutWindow";
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();
  AboutWindow();

  fw::RoundRectangle& RoundRectangle1() const;
  fw::Label& Label1() const;
  fw::Canvas& CanvasKVN() const;

 private:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
};

// The open About box, or a new one, on screen at once.
std::shared_ptr<AboutWindow> AboutWindow();

}  // namespace app
