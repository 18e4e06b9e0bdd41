#include "app/bignum_binding.h"

#include "app/framework/classes.h"
#include "app/framework/runtime.h"
#include "crypt/bignum/bignum.h"

namespace app {

void RegisterComponentClasses() {
  for (const char* name : {"BigInteger", "BigFloat", "BigComplex", "ComplexVector"})
    fw::RegisterClass({name, "Object", name, {}});
  for (const char* name :
       {"fpBadInputException", "fpDivideByZeroException", "fpNilObjectException",
        "fpNegativeNumberException", "fpNegativeOrZeroException", "fpBadEntryNumberException",
        "fpOverflowOrNegativeException", "fpPrecisionNotMetException"})
    fw::RegisterClass({name, "RuntimeException", name, {}});
}

void RuntimeInitExternalClasses() {
  std::vector<fw::PluginExport> exports;
  for (const auto& [declaration, entry] : bn::Exports()) exports.push_back({declaration, entry});
  fw::RuntimeInitExternalClasses(std::move(exports));
}

void InitPluginEntrypoints() {
  bn::BindEntryPoints(fw::RuntimeLookupPluginEntrypoint);
}

}  // namespace app
