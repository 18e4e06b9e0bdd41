// The runtime of the benchmarks that press real buttons: offscreen, with the
// big numbers bound, and any message box taken as a failed run.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/bignum_binding.h"
#include "app/framework/runtime.h"

namespace bench {

inline void StartOffscreenRuntime(int& argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  fw::RuntimeInit(argc, argv);
  app::RuntimeInitExternalClasses();
  app::InitPluginEntrypoints();
  fw::SetMessageSink([](const std::string& text) {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    std::exit(1);
  });
}

}  // namespace bench
