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

void RegisterFrameworkClasses() {
  static constexpr std::pair<const char*, const char*> kClasses[] = {
      {"Object", ""},
      {"RuntimeException", "Object"},
      {"NilObjectException", "RuntimeException"},
      {"Delegate", "Object"},
      {"Picture", "Object"},
      {"FolderItem", "Object"},
      {"Application", "Object"},
      {"MenuItem", "Object"},
      {"AppleMenuItem", "MenuItem"},
      {"QuitMenuItem", "MenuItem"},
      {"MenuBar", "MenuItem"},
      {"Window", "Object"},
      {"RectControl", "Object"},
      {"PushButton", "RectControl"},
      {"Label", "RectControl"},
      {"TextField", "RectControl"},
      {"TextArea", "RectControl"},
      {"Canvas", "RectControl"},
      {"RoundRectangle", "RectControl"}};
  for (const auto& [name, base] : kClasses) RegisterClass({name, base, name, {}});
}

}  // namespace fw
