// Exceptions raised by the big-number component. Every what() is a sentence a user can read;
// a function may pass a more specific sentence than the default.
#pragma once

#include <stdexcept>
#include <string>

namespace bn {

class BigNumberException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class fpBadInputException : public BigNumberException {
 public:
  fpBadInputException() : BigNumberException("The input is not in a form that can be used.") {}
  using BigNumberException::BigNumberException;
};

class fpDivideByZeroException : public BigNumberException {
 public:
  fpDivideByZeroException() : BigNumberException("A number was divided by zero.") {}
  using BigNumberException::BigNumberException;
};

class fpNilObjectException : public BigNumberException {
 public:
  fpNilObjectException() : BigNumberException("A big number was used before it had a value.") {}
  using BigNumberException::BigNumberException;
};

class fpNegativeNumberException : public BigNumberException {
 public:
  fpNegativeNumberException()
      : BigNumberException("The calculation has no result for a negative number.") {}
  using BigNumberException::BigNumberException;
};

class fpNegativeOrZeroException : public BigNumberException {
 public:
  fpNegativeOrZeroException() : BigNumberException("The number must be greater than zero.") {}
  using BigNumberException::BigNumberException;
};

class fpBadEntryNumberException : public BigNumberException {
 public:
  fpBadEntryNumberException()
      : BigNumberException("The big-number component has no operation with that number.") {}
  using BigNumberException::BigNumberException;
};

class fpOverflowOrNegativeException : public BigNumberException {
 public:
  fpOverflowOrNegativeException()
      : BigNumberException("The result is too large to hold, or negative where it may not be.") {}
  using BigNumberException::BigNumberException;
};

class fpPrecisionNotMetException : public BigNumberException {
 public:
  fpPrecisionNotMetException()
      : BigNumberException("The result cannot be computed to the precision asked for.") {}
  using BigNumberException::BigNumberException;
};

}  // namespace bn
