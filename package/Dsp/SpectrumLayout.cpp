// Moving data into and out of the transforms' layouts, and complex spectra to
// amplitude and phase.
#include <cmath>
#include <cstdint>

#include "DspCommon.h"
#include "vandrel/Dsp.h"

namespace vandrel {

using dsp_detail::ToSingle;

void PrepareFour1Data(int n, const float* src, float* dst) {
  if (n <= 0 || src == nullptr || dst == nullptr) return;
  // Descending, so that dst == src shifts the samples up by one place.
  for (int64_t i = n - 1; i >= 0; --i) dst[i + 1] = src[i];
}

void CopyDataOdd(int n, const float* src, float* dst) {
  if (n <= 0 || src == nullptr || dst == nullptr) return;
  for (int64_t i = 0; i < n; ++i) dst[2 * i + 1] = src[i];
}

void ArrangeFour1Data(int n, const float* src, float* re, float* im) {
  if (n <= 0 || src == nullptr || re == nullptr || im == nullptr) return;
  const double dn = n;
  for (int64_t i = 0; i < n; ++i) {
    re[i] = ToSingle(src[2 * i + 1] / dn);
    im[i] = ToSingle(src[2 * i + 2] / dn);
  }
}

void ArrangeFourData(int n, const float* src, float* re, float* im) {
  if (n <= 0 || src == nullptr || re == nullptr || im == nullptr) return;
  const double dn = n;
  for (int64_t i = 0; i < n; ++i) {
    re[i] = ToSingle(src[2 * i] / dn);
    im[i] = ToSingle(src[2 * i + 1] / dn);
  }
}

void RealToCmplx(int n, const float* src, float* re, float* im) {
  if (n <= 0 || src == nullptr || re == nullptr || im == nullptr) return;
  for (int64_t i = 0; i < n / 2; ++i) {
    re[i] = src[2 * i];
    im[i] = src[2 * i + 1];
  }
}

void AmpltSpectrum(int n, float* re, float* im) {
  if (n <= 0 || re == nullptr || im == nullptr) return;
  constexpr double kDegPerRad = 57.29577951308232;
  for (int64_t i = 0; i < n; ++i) {
    const double r = re[i];
    const double m = im[i];
    re[i] = ToSingle(std::sqrt(r * r + m * m));
    // The arctangent of the ratio, not the four-quadrant angle.
    im[i] = r == 0.0 ? 90.0f : ToSingle(std::atan(m / r) * kDegPerRad);
  }
}

void FastData(float* data, int n, int window, float& max) {
  // Only the Hanning, Hamming and flat-top corrections apply here; every
  // other code leaves the magnitudes uncorrected.
  const float factor = window >= 1 && window <= 3 ? dsp_detail::WindowCorrection(window) : 1.0f;
  float m = 0.0f;
  if (n > 0 && data != nullptr) {
    const double dn = n;
    // Element i is written after elements 2i+1 and 2i+2 are read, so the
    // compaction works in place.
    for (int64_t i = 0; i < n; ++i) {
      const double a = data[2 * i + 1];
      const double b = data[2 * i + 2];
      data[i] = ToSingle(std::sqrt(a * a + b * b) / dn * factor);
      const float v = std::fabs(data[i]);
      if (v > m) m = v;
    }
  }
  max = m;
}

}  // namespace vandrel
