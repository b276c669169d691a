// Conversions between amplitude, RMS, power and decibel levels.
#include <cmath>

#include "DspCommon.h"
#include "vandrel/Dsp.h"

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
  if (!(reference > 0.0f) || !std::isfinite(reference)) {
    // Without a positive reference there is no level to refer to (an all-zero
    // spectrum passes its largest value, 0): every line goes to the bottom of
    // the span, which is where the defined rule puts zero values in mode 0.
    const float bottom = -span;
    for (int i = 0; i < n; ++i) data[i] = bottom;
    return;
  }
  float floor;
  double ref;
  if (mode == 0) {
    floor = -span;
    ref = reference;
  } else {
    floor = ToSingle(20.0 * std::log10(static_cast<double>(reference)) - span);
    ref = 1.0;
  }
  const float zeroLevel = ToSingle(static_cast<double>(floor) / 20.0);
  for (int i = 0; i < n; ++i) {
    const float x = data[i];
    // Zero maps to the floor by rule; negative and NaN values, which have no
    // logarithm, are treated the same way instead of turning into NaN.
    const float d = x > 0.0f ? ToSingle(std::log10(static_cast<double>(x) / ref)) : zeroLevel;
    float level = ToSingle(20.0 * static_cast<double>(d));
    if (level < floor) level = floor;
    data[i] = level;
  }
}

}  // namespace vandrel
