// Class records: what each class of the system tells the runtime about itself.
// Nothing in the system reads them back; they exist for introspection.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fw {

struct OperationRecord {
  std::string name;
  std::string signature;
  std::vector<std::pair<std::string, std::string>> attributes = {{"__Scope", "Public"}};
};

struct ClassRecord {
  std::string name;
  std::string base;
  std::string registeredName;
  std::vector<OperationRecord> operations;
  std::vector<std::pair<std::string, std::string>> attributes = {{"__Scope", "Public"}};
};

// Registers the framework's own classes, bases first; the runtime does it as it starts.
void RegisterFrameworkClasses();
// Registers a class once; a second registration of the same name is ignored.
void RegisterClass(const ClassRecord& record);
// The registered classes, in registration order.
const std::vector<ClassRecord>& RegisteredClasses();

}  // namespace fw
