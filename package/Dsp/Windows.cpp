// Time windows, their amplitude correction factors, and DC removal.
#include <cmath>
#include <cstdint>

#include "DspCommon.h"
#include "vandrel/Dsp.h"

namespace vandrel {

using dsp_detail::kPi;
using dsp_detail::ToSingle;
using dsp_detail::WindowCorrection;

namespace {

// Applies the weight function w(i), evaluated in double precision, to every
// sample; the product is rounded to 32 bits when stored.
template <typename Weight>
void ApplyWeights(int n, float* data, Weight w) {
  for (int64_t i = 0; i < n; ++i) data[i] = ToSingle(w(i) * static_cast<double>(data[i]));
}

}  // namespace

float dsp_detail::WindowCorrection(int window) {
  switch (window) {
    case 1: return 2.0f;        // Hanning
    case 2: return 1.8518518f;  // Hamming, nearest to 1 / 0.54
    case 3: return 3.5579097f;  // flat top, nearest to 1 / 0.2810639
    case 4: return 2.0f;        // Bartlett
    case 5: return 2.3809524f;  // Blackman, nearest to 1 / 0.42
    case 6: return 2.5583262f;  // exponential
    default: return 1.0f;
  }
}

void WindowSignal(int window, int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  const double dn = n;
  constexpr double kTwoPi = 2.0 * kPi;
  // The cosine windows are periodic: the phase divides by n, not n - 1.
  switch (window) {
    case 1:  // Hanning
      ApplyWeights(n, data, [&](int64_t i) {
        const double phi = kTwoPi * static_cast<double>(i) / dn;
        return 0.5 * (1.0 - std::cos(phi));
      });
      break;
    case 2:  // Hamming
      ApplyWeights(n, data, [&](int64_t i) {
        const double phi = kTwoPi * static_cast<double>(i) / dn;
        return 0.54 - 0.46 * std::cos(phi);
      });
      break;
    case 3:  // flat top
      ApplyWeights(n, data, [&](int64_t i) {
        const double phi = kTwoPi * static_cast<double>(i) / dn;
        return 0.2810639 - 0.5208972 * std::cos(phi) + 0.1980399 * std::cos(2.0 * phi);
      });
      break;
    case 4:  // Bartlett
      ApplyWeights(n, data,
                   [&](int64_t i) { return 1.0 - std::fabs(static_cast<double>(2 * i - n) / dn); });
      break;
    case 5:  // Blackman
      ApplyWeights(n, data, [&](int64_t i) {
        const double phi = kTwoPi * static_cast<double>(i) / dn;
        return 0.42 - 0.5 * std::cos(phi) + 0.08 * std::cos(2.0 * phi);
      });
      break;
    case 6: {  // exponential, from 1 at i = 0 down to 0.01 at i = n - 1
      // A single sample has no decay to spread (the exponent would divide by
      // zero); it keeps its starting weight 1.
      if (n < 2) return;
      const double rate = std::log(0.01);
      const double last = dn - 1.0;
      ApplyWeights(n, data,
                   [&](int64_t i) { return std::exp(static_cast<double>(i) * rate / last); });
      break;
    }
    default:  // rectangular, or a code without a window
      break;
  }
}

void WindowScale(int n, int window, float* data) {
  if (window < 1 || window > 6) return;  // no window, no correction
  Scale(n, WindowCorrection(window), data);
}

void RemoveDC(int n, float dc, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) data[i] = data[i] - dc;
}

}  // namespace vandrel
