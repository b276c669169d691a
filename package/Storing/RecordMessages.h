// The texts the readers show, and the checks the formats share.
#pragma once

#include <cmath>

#include "vandrel/platform/Exceptions.h"

namespace vandrel::detail {

inline constexpr const char* kFormatInvalid = "The input file format is invalid!";
inline constexpr const char* kInvalidParameter = "Invalid file parameter!";

// Raised inside the readers for a record that cannot be read or played; the
// callers turn it into the format's own report.
class ERecordError : public Exception {
 public:
  ERecordError() : Exception("Invalid record") {}
};

// A value narrowed to a sample: values beyond the range of a float fail, as
// a floating-point overflow would.
inline float NarrowToSample(double Value) {
  const float f = static_cast<float>(Value);
  if (std::isinf(f) && !std::isinf(Value)) throw ERecordError();
  return f;
}

}  // namespace vandrel::detail
