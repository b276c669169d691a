// Exception classes of the component platform: the errors the package raises
// where a failure cannot be reported through a message box or a flag.
#pragma once

#include <stdexcept>
#include <string>

namespace vandrel {

// Base of every exception the package raises; Message() is the text a host shows.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Msg) : std::runtime_error(Msg) {}
  std::string Message() const { return what(); }
};

// A list index outside 0 .. Count - 1 (TList).
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// A call of an operation that the class leaves abstract.
class EAbstractError : public Exception {
 public:
  EAbstractError() : Exception("Abstract Error") {}
  using Exception::Exception;
};

// Component naming and ownership errors (duplicate or malformed names).
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// Floating-point failures. EMathError is the common base.
class EMathError : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
  using EMathError::EMathError;
};
class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
  using EMathError::EMathError;
};
class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
  using EMathError::EMathError;
};
class EUnderflow : public EMathError {
 public:
  EUnderflow() : EMathError("Floating point underflow") {}
  using EMathError::EMathError;
};

// A failed allocation.
class EOutOfMemory : public Exception {
 public:
  EOutOfMemory() : Exception("Out of memory") {}
  using Exception::Exception;
};

// Input/output failure; ErrorCode() carries the operating system's or the
// runtime's error number (0 when there is none).
class EInOutError : public Exception {
 public:
  explicit EInOutError(const std::string& Msg, int Code = 0) : Exception(Msg), FErrorCode(Code) {}
  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode;
};

// A text that does not convert to the requested number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vandrel
