// AVX-512 build of the dot-product kernels: eight double lanes per vector.
// This file alone is compiled with -mavx512f -mavx2 -mfma.
#include <immintrin.h>

#include "kvxarith.h"

namespace kvx_avx512 {

struct V {
  using D = __m512d;
  static constexpr int L = 8;
  static D Zero() { return _mm512_setzero_pd(); }
  static D Bcast(float t) { return _mm512_set1_pd(static_cast<double>(t)); }
  static D Load(const float* p) { return _mm512_cvtps_pd(_mm256_loadu_ps(p)); }
  static D Fma(D t, D x, D acc) { return _mm512_fmadd_pd(t, x, acc); }
  static void Store(float* p, D v) { _mm256_storeu_ps(p, _mm512_cvtpd_ps(v)); }
};

#include "kvxarith_impl.h"

}  // namespace kvx_avx512

// The random steps gain nothing from wider vectors: AVX-512 runs the AVX2 ones.
const KvxKernels kvxAvx512Kernels = {
    "avx512",          &kvx_avx512::Contig,     &kvx_avx512::Offsets,
    &kvx_avx2::LcgAdd, &kvx_avx2::UniformFloat, &kvx_avx2::PolarFactor};
