// Portable kernels: the generic build, and the scalar routines every build
// shares.
#include "kvxarith.h"

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

const KvxFirKernels kvxGenericKernels = {"generic", &kvx_generic::Contig, &kvx_generic::Offsets};

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
