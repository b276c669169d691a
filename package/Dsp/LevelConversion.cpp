// Conversions between amplitude, RMS, power and decibel levels.
#include <cmath>

#include "DspCommon.h"
#include "vandrel/Dsp.h"
#include "vandrel/platform/Exceptions.h"

namespace vandrel {

using dsp_detail::ToSingle;

namespace {
// sqrt 2 held in 32 bits: the RMS of a unit sinusoid is 1 / kSqrt2Single.
constexpr float kSqrt2Single = 1.4142135f;
}  // namespace

// Where a rule is a single multiplication or division of two floats, the float
// operation is used: the double result rounded to 32 bits is the same value.

void AmpltToRms(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) data[i] = data[i] / kSqrt2Single;
}

void RmsToAmplt(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) data[i] = data[i] * kSqrt2Single;
}

void PowerToRms(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) data[i] = ToSingle(std::sqrt(static_cast<double>(data[i]) / 2.0));
}

void RmsToPower(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) {
    const double x = data[i];
    data[i] = ToSingle(2.0 * x * x);
  }
}

void AmpltToPower(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) {
    const double x = data[i];
    data[i] = ToSingle(x * x);
  }
}

void PowerToAmplt(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) data[i] = ToSingle(std::sqrt(static_cast<double>(data[i])));
}

void SpectrumToDB(int n, float* data, float span, float reference, uint8_t mode) {
  if (n <= 0 || data == nullptr) return;
  // Every level needs a logarithm. A value without one (the logarithm of 0,
  // of a negative or of a NaN) raises the platform's floating-point error
  // where it occurs; the values converted before it stay converted.
  auto log10Of = [](double x) {
    if (x == 0.0) throw EZeroDivide();
    if (!(x > 0.0)) throw EInvalidOp();
    return std::log10(x);
  };
  float floor;
  double ref;
  if (mode == 0) {
    floor = -span;
    ref = reference;
  } else {
    floor = ToSingle(20.0 * log10Of(static_cast<double>(reference)) - span);
    ref = 1.0;
  }
  const float zeroLevel = ToSingle(static_cast<double>(floor) / 20.0);
  for (int i = 0; i < n; ++i) {
    const float x = data[i];
    float d = zeroLevel;
    if (x != 0.0f) {
      if (ref == 0.0) throw EZeroDivide();  // a non-zero value over a zero reference
      d = ToSingle(log10Of(static_cast<double>(x) / ref));
    }
    float level = ToSingle(20.0 * static_cast<double>(d));
    if (level < floor) level = floor;
    data[i] = level;
  }
}

}  // namespace vandrel
