#include "app/framework/classes.h"

#include <algorithm>

namespace fw {
namespace {
std::vector<ClassRecord>& Registry() {
  static std::vector<ClassRecord> classes;
  return classes;
}
}  // namespace

void RegisterClass(const ClassRecord& record) {
  auto& classes = Registry();
  if (std::none_of(classes.begin(), classes.end(),
                   [&](const ClassRecord& c) { return c.name == record.name; }))
    classes.push_back(record);
}

const std::vector<ClassRecord>& RegisteredClasses() {
  return Registry();
}

}  // namespace fw
