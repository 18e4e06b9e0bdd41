#include "app/app.h"

#include "app/aboutwindow.h"
#include "app/framework/exceptions.h"
#include "app/framework/runtime.h"

namespace app {

fw::ClassRecord App::Record() {
  return {
      "App", "Application", "App", {{"AppleAbout_Action", "() As Boolean"}, {"Constructor", "()"}}};
}

bool App::AppleAbout_Action() {
  AboutWindow()->Show();
  return true;
}

std::shared_ptr<class App> App() {
  auto app = std::dynamic_pointer_cast<class App>(fw::GetAppObject());
  if (!app) throw fw::NilObjectException("The application object has not been registered.");
  return app;
}

}  // namespace app
