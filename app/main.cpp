// Kelvane: public-key encryption of text.
#include "app/framework/runtime.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  app::Initialize();
  app::Main();
  app::Finalize();
  return fw::RuntimeExit();
}
