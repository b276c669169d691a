// Circular shift and the direct autocorrelation sums.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "DspCommon.h"
#include "vandrel/Dsp.h"
#include "vandrel/platform/Exceptions.h"

namespace vandrel {

using dsp_detail::ToSingle;

void Rotate(int n, int shift, float* data) {
  if (n <= 0 || data == nullptr || shift < 0 || shift > n) return;
  if (shift == 0 || shift == n) return;  // a full turn: nothing moves
  std::unique_ptr<float[]> temp(new (std::nothrow) float[static_cast<size_t>(n)]);
  if (!temp) throw EOutOfMemory();
  const size_t tail = static_cast<size_t>(shift);
  const size_t head = static_cast<size_t>(n - shift);
  std::memcpy(temp.get(), data + head, tail * sizeof(float));  // last `shift` to the front
  std::memcpy(temp.get() + tail, data, head * sizeof(float));
  std::memcpy(data, temp.get(), static_cast<size_t>(n) * sizeof(float));
}

namespace {

// Row by row: within a row every output element is distinct, so the row
// vectorises, and each r[k] still receives its products in ascending i.
VANDREL_DSP_KERNEL void AutoCorrelationRows(int64_t n, const float* x, float* r) {
  for (int64_t i = 0; i < n; ++i) {
    const double xi = x[i];
    float* ri = r + i;
    for (int64_t j = 0; j < n; ++j)
      ri[j] = ToSingle(static_cast<double>(ri[j]) + xi * static_cast<double>(x[j]));
  }
}

}  // namespace

void AutoCorrelation(int n, const float* x, float* r) {
  if (n <= 0 || n > dsp_detail::kMaxTransformCount || x == nullptr || r == nullptr) return;
  AutoCorrelationRows(n, x, r);
}

namespace {

// Lags summed together in one sweep over the samples; each keeps its own
// running sum, so the lags are independent lanes.
constexpr int64_t kLagBlock = 128;

// Adds the terms x[j] * 0 of the samples that fall outside the signal for a
// lag. They change a running sum only when it is -0 (it becomes +0) or when a
// sample is infinite or NaN (the sum becomes NaN); otherwise the sum stays.
inline void AddZeroTerms(float& s, const float* x, int64_t j0, int64_t j1, bool allFinite) {
  if (j0 >= j1) return;
  if (allFinite && !(s == 0.0f && std::signbit(s))) return;
  for (int64_t j = j0; j < j1; ++j) s = ToSingle(static_cast<double>(s) + x[j] * 0.0);
}

inline void AddProduct(float& s, double a, float b) {
  // a * b is exact in double (both 32-bit values).
  s = ToSingle(static_cast<double>(s) + a * static_cast<double>(b));
}

// Lags lag0 .. lag0 + count - 1 (all >= 0): r at lag L (index L + n - 1)
// collects x[j] * x[j + L] for j = 0 .. n-1-L, then the zero terms.
VANDREL_DSP_KERNEL void NonNegativeLags(int64_t n, const float* x, float* out, int64_t lag0,
                                        int64_t count) {
  const int64_t common = n - (lag0 + count - 1);  // j < common is valid for every lag here
  float acc[kLagBlock];
  for (int64_t t = 0; t < count; ++t) acc[t] = out[t];
  if (count == kLagBlock) {
    for (int64_t j = 0; j < common; ++j) {
      const double xj = x[j];
      const float* xm = x + j + lag0;
      for (int64_t t = 0; t < kLagBlock; ++t)
        acc[t] = ToSingle(static_cast<double>(acc[t]) + xj * static_cast<double>(xm[t]));
    }
  } else {
    for (int64_t j = 0; j < common; ++j)
      for (int64_t t = 0; t < count; ++t) AddProduct(acc[t], x[j], x[j + lag0 + t]);
  }
  // The lags below the block's largest have a few more valid samples.
  for (int64_t t = 0; t < count; ++t) {
    const int64_t end = n - (lag0 + t);
    for (int64_t j = std::max<int64_t>(common, 0); j < end; ++j)
      AddProduct(acc[t], x[j], x[j + lag0 + t]);
  }
  for (int64_t t = 0; t < count; ++t) out[t] = acc[t];
}

// Lags lag0 .. lag0 + count - 1 (all < 0): the leading samples j < -L have no
// partner, so their zero terms come first, then x[j] * x[j + L] for
// j = -L .. n-1.
VANDREL_DSP_KERNEL void NegativeLags(int64_t n, const float* x, float* out, int64_t lag0,
                                     int64_t count, bool allFinite) {
  const int64_t start = -lag0;  // j >= start is valid for every lag here
  float acc[kLagBlock];
  for (int64_t t = 0; t < count; ++t) {
    const int64_t lag = lag0 + t;
    float s = out[t];
    AddZeroTerms(s, x, 0, -lag, allFinite);
    // Lags above the block's smallest start earlier than the common part.
    for (int64_t j = -lag; j < start; ++j) AddProduct(s, x[j], x[j + lag]);
    acc[t] = s;
  }
  if (count == kLagBlock) {
    for (int64_t j = start; j < n; ++j) {
      const double xj = x[j];
      const float* xm = x + j + lag0;
      for (int64_t t = 0; t < kLagBlock; ++t)
        acc[t] = ToSingle(static_cast<double>(acc[t]) + xj * static_cast<double>(xm[t]));
    }
  } else {
    for (int64_t j = start; j < n; ++j)
      for (int64_t t = 0; t < count; ++t) AddProduct(acc[t], x[j], x[j + lag0 + t]);
  }
  for (int64_t t = 0; t < count; ++t) out[t] = acc[t];
}

}  // namespace

void AutoCorrelation2(int n, const float* x, float* r) {
  if (n <= 0 || n > dsp_detail::kMaxTransformCount || x == nullptr || r == nullptr) return;
  const int64_t nc = n;
  bool allFinite = true;
  for (int64_t j = 0; j < nc; ++j) allFinite = allFinite && std::isfinite(x[j]);
  // Lags -L and +L sum the same products x[j] x[j + L] in the same ascending
  // order. When every sum starts from +0 (the caller cleared r) and no sample
  // is infinite or NaN, the missing-partner terms leave a negative lag's +0
  // start as it is, so its sum is exactly the positive lag's sum before that
  // lag's trailing terms: computed once, copied to its mirror.
  bool mirror = allFinite;
  for (int64_t k = 0; k < 2 * nc - 1 && mirror; ++k) mirror = r[k] == 0.0f && !std::signbit(r[k]);
  // Element k holds lag k - (n - 1). Each lag's terms are added in ascending
  // j as the definition orders them; lags are processed in blocks.
  for (int64_t lag0 = 0; lag0 < nc; lag0 += kLagBlock) {
    const int64_t count = std::min(kLagBlock, nc - lag0);
    NonNegativeLags(nc, x, r + (lag0 + nc - 1), lag0, count);
  }
  if (mirror) {
    for (int64_t lag = 1; lag < nc; ++lag) r[nc - 1 - lag] = r[nc - 1 + lag];
  } else {
    for (int64_t lag0 = -(nc - 1); lag0 < 0; lag0 += kLagBlock) {
      const int64_t count = std::min(kLagBlock, -lag0);
      NegativeLags(nc, x, r + (lag0 + nc - 1), lag0, count, allFinite);
    }
  }
  // Trailing zero terms of the non-negative lags (j > n-1-L), and lag n,
  // which has only zero terms.
  for (int64_t lag = 0; lag <= nc; ++lag) {
    float& s = r[lag + nc - 1];
    AddZeroTerms(s, x, std::max<int64_t>(nc - lag, 0), nc, allFinite);
  }
}

}  // namespace vandrel
