// Portable kernels: the generic build, and the scalar routines every build
// shares.
#include "kvxarith.h"

#include <cmath>

namespace kvx_generic {

// One double per "vector": eight independent accumulators per tile, plain
// multiply and add (contraction is off).
struct V {
  using D = double;
  static constexpr int L = 1;
  static D Zero() { return 0.0; }
  static D Bcast(float t) { return static_cast<double>(t); }
  static D Load(const float* p) { return static_cast<double>(*p); }
  static D Fma(D t, D x, D acc) { return acc + t * x; }
  static void Store(float* p, D v) { *p = static_cast<float>(v); }
};

#include "kvxarith_impl.h"

}  // namespace kvx_generic

void kvxLcgAdd(int32_t* draws, int32_t n, uint32_t* lcg) {
  uint32_t x = *lcg;
  for (int32_t i = 0; i < n; ++i) {
    x = x * 69069u + 1013904243u;
    draws[i] = static_cast<int32_t>(static_cast<uint32_t>(draws[i]) + x);
  }
  *lcg = x;
}

void kvxUniformFloat(const int32_t* swb, int32_t n, uint32_t* lcg, double scale, double center,
                     float* out) {
  uint32_t x = *lcg;
  for (int32_t i = 0; i < n; ++i) {
    x = x * 69069u + 1013904243u;
    const auto u = static_cast<int32_t>(static_cast<uint32_t>(swb[i]) + x);
    out[i] = static_cast<float>(static_cast<double>(u) * scale + center);
  }
  *lcg = x;
}

void kvxPolarFactor(double* f, const double* q, int32_t n) {
  for (int32_t i = 0; i < n; ++i) f[i] = std::sqrt(-2.0 * f[i] / q[i]);
}

const KvxKernels kvxGenericKernels = {"generic",  &kvx_generic::Contig, &kvx_generic::Offsets,
                                      &kvxLcgAdd, &kvxUniformFloat,     &kvxPolarFactor};

void kvxFirStrided(const float* taps, int32_t n, const float* src, ptrdiff_t srcStride, float* out,
                   ptrdiff_t outStride, int64_t count) {
  for (int64_t k = 0; k < count; ++k) {
    const float* x = src + k * srcStride;
    double acc = 0.0;
    for (int32_t j = 0; j < n; ++j) acc += static_cast<double>(taps[j]) * static_cast<double>(x[j]);
    out[k * outStride] = static_cast<float>(acc);
  }
}

float kvxDot(const float* taps, const float* x, int32_t n) {
  double acc = 0.0;
  for (int32_t j = 0; j < n; ++j) acc += static_cast<double>(taps[j]) * static_cast<double>(x[j]);
  return static_cast<float>(acc);
}
