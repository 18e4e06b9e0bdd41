// The application's one menu bar: File (About, Quit) and Edit (the text
// commands), shared by the application object and the launcher window.
#pragma once

#include <memory>

#include "app/framework/classes.h"
#include "app/framework/menu.h"

namespace app {

class MenuBar1 final : public fw::MenuBar {
 public:
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();

  // Builds the File menu, then the Edit menu.
  void Constructor();
  void Untitled0();  // the File menu
  void Untitled1();  // the Edit menu
};

// The shared menu bar, built on the first call; a build that fails stores nothing.
std::shared_ptr<MenuBar1> MenuBar1();
// Drops the shared reference; the next MenuBar1() builds a new menu bar.
void ReleaseMenuBar1();

}  // namespace app
