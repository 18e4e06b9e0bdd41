// The launcher: three pictures side by side, each with a button under it that
// brings up one of the tools.
#pragma once

#include <memory>
#include <string_view>

#include "app/framework/classes.h"
#include "app/framework/controls.h"
#include "app/framework/menu.h"
#include "app/framework/window.h"

namespace app {

class Window1 final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "Window1.Window1";
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();
  Window1();

  fw::Canvas& Canvas1() const;
  fw::PushButton& PushButton1() const;
  fw::Canvas& Canvas2() const;
  fw::PushButton& PushButton2() const;
  fw::Canvas& Canvas3() const;
  fw::PushButton& PushButton3() const;

  // Each shows its tool's window, building it when it is not open.
  void PushButton1_Action(fw::PushButton& sender);  // key generation
  void PushButton2_Action(fw::PushButton& sender);  // encryption
  void PushButton3_Action(fw::PushButton& sender);  // decryption

  // The items of the window's menu bar, found by name.
  std::shared_ptr<fw::MenuItem> EditMenu() const;
  std::shared_ptr<fw::MenuItem> EditSelectAll() const;
  std::shared_ptr<fw::MenuItem> UntitledMenu0() const;
  std::shared_ptr<fw::MenuItem> EditClear() const;
  std::shared_ptr<fw::MenuItem> EditPaste() const;
  std::shared_ptr<fw::MenuItem> EditCopy() const;
  std::shared_ptr<fw::MenuItem> EditCut() const;
  std::shared_ptr<fw::MenuItem> UntitledMenu1() const;
  std::shared_ptr<fw::MenuItem> EditUndo() const;
  std::shared_ptr<fw::MenuItem> FileMenu() const;
  std::shared_ptr<fw::QuitMenuItem> FileQuit() const;
  std::shared_ptr<fw::AppleMenuItem> AppleAbout() const;

 private:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  template <class Item>
  std::shared_ptr<Item> MenuItemAs(std::string_view name) const;
};

// The open launcher, or a new one, on screen at once.
std::shared_ptr<Window1> Window1();

}  // namespace app
