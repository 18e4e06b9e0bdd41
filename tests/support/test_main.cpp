// The main of the suites that drive real windows: an offscreen Qt runtime (so a
// machine with no display runs every test) with the big numbers bound.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/bignum_binding.h"
#include "app/framework/runtime.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  testing::InitGoogleTest(&argc, argv);
  fw::RuntimeInit(argc, argv);
  app::RuntimeInitExternalClasses();
  app::InitPluginEntrypoints();
  const int result = RUN_ALL_TESTS();
  fw::RuntimeExit();
  return result;
}
