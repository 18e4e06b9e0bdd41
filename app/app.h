// The application object: it carries the menu bar and answers the About command.
#pragma once

#include <memory>

#include "app/framework/classes.h"
#include "app/framework/menu.h"

namespace app {

class App final : public fw::Application {
 public:
  // What the class tells the runtime about itself.
  static fw::ClassRecord Record();

  // Shows the About box; true: the command is handled.
  bool AppleAbout_Action();
  // The application object needs no set-up of its own.
  void Constructor() {}
};

// The registered application object; fw::NilObjectException when there is none.
std::shared_ptr<App> App();

}  // namespace app
