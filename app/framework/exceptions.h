// Exceptions raised by the framework. Every what() is a sentence a user can read,
// because the unhandled-exception routine shows it as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A call on an object that does not exist (a closed window, an unbound entry point).
class NilObjectException : public RuntimeException {
 public:
  NilObjectException() : RuntimeException("An object that no longer exists was used.") {}
  explicit NilObjectException(const std::string& what) : RuntimeException(what) {}
};

}  // namespace fw
