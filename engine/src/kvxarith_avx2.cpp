// AVX2 + FMA build of the dot-product kernels: four double lanes per vector.
// This file alone is compiled with -mavx2 -mfma.
#include <immintrin.h>

#include "kvxarith.h"

namespace kvx_avx2 {

struct V {
  using D = __m256d;
  static constexpr int L = 4;
  static D Zero() { return _mm256_setzero_pd(); }
  static D Bcast(float t) { return _mm256_set1_pd(static_cast<double>(t)); }
  static D Load(const float* p) { return _mm256_cvtps_pd(_mm_loadu_ps(p)); }
  static D Fma(D t, D x, D acc) { return _mm256_fmadd_pd(t, x, acc); }
  static void Store(float* p, D v) { _mm_storeu_ps(p, _mm256_cvtpd_ps(v)); }
};

#include "kvxarith_impl.h"

}  // namespace kvx_avx2

const KvxFirKernels kvxAvx2Kernels = {"avx2", &kvx_avx2::Contig, &kvx_avx2::Offsets};
