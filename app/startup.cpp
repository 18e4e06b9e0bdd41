#include "app/startup.h"

#include <exception>

#include "app/aboutwindow.h"
#include "app/app.h"
#include "app/bignum_binding.h"
#include "app/framework/runtime.h"
#include "app/menubar1.h"
#include "app/window1.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "keygen/windowgk.h"

namespace app {

void Initialize() {
  RegisterComponentClasses();
  fw::RegisterClass(App::Record());
  fw::RegisterClass(Window1::Record());
  fw::RegisterClass(MenuBar1::Record());
  fw::RegisterClass(AboutWindow::Record());
  fw::RegisterClass(keygen::WindowGK::Record());
  fw::RegisterClass(cipher::WindowEn::Record());
  fw::RegisterClass(cipher::WindowDe::Record());
}

void Main() {
  try {
    {
      const fw::Delegate<void> startup(&Startup, "(  )");
      fw::RunFrameworkInitialization(startup);
    }
    fw::RuntimeRun();
  } catch (...) {
    fw::UnhandledException(std::current_exception());
  }
}

void Finalize() {
  fw::RuntimeFinalize();
  ReleaseMenuBar1();
}

void Startup() {
  RuntimeInitExternalClasses();
  InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

void InitFileTypes() {}

void NewAppInstance() {
  auto app = std::make_shared<class App>();
  app->Constructor();
  app->SetMenuBar(MenuBar1());
  fw::RuntimeRegisterAppObject(std::move(app));
}

void ApplicationAddMenuHandlers() {
  const auto app = App();
  // Held strongly: the command must stay bound for the whole run.
  app->AddMenuHandler("AppleAbout", fw::RuntimeCreateDelegate(app, &App::AppleAbout_Action,
                                                              "(  ) as Boolean", fw::Hold::Strong));
}

void MakeDefaultView() {
  Window1();
}

}  // namespace app
