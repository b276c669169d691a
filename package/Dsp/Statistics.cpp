// Block statistics: mean, standard deviation, RMS and extremes.
#include <cmath>

#include "DspCommon.h"
#include "vandrel/Dsp.h"

namespace vandrel {

using dsp_detail::ToSingle;

float MeanValue(int n, const float* data) {
  if (n <= 0 || data == nullptr) return 0.0f;
  // The running sum is rounded to 32 bits after every addition; a float
  // addition is exactly that.
  float s = 0.0f;
  for (int i = 0; i < n; ++i) s = s + data[i];
  if (!std::isfinite(s)) return 0.0f;  // overflowed or invalid sum
  return ToSingle(static_cast<double>(s) / n);
}

float StdDevValue(int n, float mean, const float* data) {
  // n = 1 divides by zero; n = 0 has no deviation either.
  if (n <= 1 || data == nullptr) return 0.0f;
  float s = 0.0f;
  for (int i = 0; i < n; ++i) {
    const double d = static_cast<double>(data[i]) - mean;
    s = ToSingle(static_cast<double>(s) + d * d);
  }
  const float v = ToSingle(static_cast<double>(s) / (n - 1));
  if (!std::isfinite(v)) return 0.0f;
  return ToSingle(std::sqrt(std::fabs(static_cast<double>(v))));
}

void CalcRms(int n, const float* data, float& rms) {
  if (n <= 0 || data == nullptr) {
    rms = 0.0f;  // no samples, no level
    return;
  }
  float s = 0.0f;
  for (int i = 0; i < n; ++i) {
    const double x = data[i];
    s = ToSingle(static_cast<double>(s) + x * x);
  }
  rms = ToSingle(std::sqrt(static_cast<double>(s) / n));
}

void FindMax(int n, const float* data, float& max) {
  float m = 0.0f;
  if (data != nullptr) {
    for (int i = 0; i < n; ++i) {
      const float a = std::fabs(data[i]);
      if (a > m) m = a;
    }
  }
  max = m;
}

void FindMaxA(int n, const float* data, float& max) {
  if (n <= 0 || data == nullptr) {
    max = 0.0f;  // no element to start from
    return;
  }
  float m = data[0];
  for (int i = 1; i < n; ++i)
    if (data[i] > m) m = data[i];
  max = m;
}

void FindMinA(int n, const float* data, float& min) {
  if (n <= 0 || data == nullptr) {
    min = 0.0f;
    return;
  }
  float m = data[0];
  for (int i = 1; i < n; ++i)
    if (data[i] < m) m = data[i];
  min = m;
}

void FindLogMin(int n, const float* data, float& min) {
  float m = 1.0f;
  if (data != nullptr) {
    for (int i = 0; i < n; ++i)
      if (data[i] < m && data[i] > 0.0f) m = data[i];
  }
  min = m;
}

void AssignLogMin(int n, float* data, float min) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i)
    if (!(data[i] > 0.0f)) data[i] = min;
}

}  // namespace vandrel
