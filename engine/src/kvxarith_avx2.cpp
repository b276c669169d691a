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

// Eight congruential lanes, each eight steps ahead of its own last value.
struct Lcg8 {
  __m256i lanes, mul, inc;
  explicit Lcg8(uint32_t start) {
    alignas(32) uint32_t first[8];
    uint32_t x = start, mul8 = 1, inc8 = 0;
    for (int l = 0; l < 8; ++l) {
      x = x * 69069u + 1013904243u;
      first[l] = x;
      mul8 *= 69069u;
      inc8 = inc8 * 69069u + 1013904243u;
    }
    lanes = _mm256_load_si256(reinterpret_cast<const __m256i*>(first));
    mul = _mm256_set1_epi32(static_cast<int32_t>(mul8));
    inc = _mm256_set1_epi32(static_cast<int32_t>(inc8));
  }
  // The next eight states; the last of them is the state eight steps on.
  __m256i Next() {
    const __m256i now = lanes;
    lanes = _mm256_add_epi32(_mm256_mullo_epi32(lanes, mul), inc);
    return now;
  }
};

void LcgAdd(int32_t* draws, int32_t n, uint32_t* lcg) {
  int32_t i = 0;
  if (n >= 8) {
    Lcg8 gen(*lcg);
    __m256i last = _mm256_setzero_si256();
    for (; i + 8 <= n; i += 8) {
      last = gen.Next();
      __m256i* p = reinterpret_cast<__m256i*>(draws + i);
      _mm256_storeu_si256(p, _mm256_add_epi32(_mm256_loadu_si256(p), last));
    }
    *lcg = static_cast<uint32_t>(_mm256_extract_epi32(last, 7));
  }
  kvxLcgAdd(draws + i, n - i, lcg);
}

// Multiply and add stay separate: the same two roundings as the scalar code.
void UniformFloat(const int32_t* swb, int32_t n, uint32_t* lcg, double scale, double center,
                  float* out) {
  int32_t i = 0;
  if (n >= 8) {
    const __m256d s = _mm256_set1_pd(scale), c = _mm256_set1_pd(center);
    Lcg8 gen(*lcg);
    __m256i last = _mm256_setzero_si256();
    for (; i + 8 <= n; i += 8) {
      last = gen.Next();
      const __m256i u =
          _mm256_add_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(swb + i)), last);
      const __m256d lo = _mm256_cvtepi32_pd(_mm256_castsi256_si128(u));
      const __m256d hi = _mm256_cvtepi32_pd(_mm256_extracti128_si256(u, 1));
      _mm_storeu_ps(out + i, _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(lo, s), c)));
      _mm_storeu_ps(out + i + 4, _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(hi, s), c)));
    }
    *lcg = static_cast<uint32_t>(_mm256_extract_epi32(last, 7));
  }
  kvxUniformFloat(swb + i, n - i, lcg, scale, center, out + i);
}

// Division and square root are correctly rounded in every lane, as in the
// scalar code.
void PolarFactor(double* f, const double* q, int32_t n) {
  const __m256d minus2 = _mm256_set1_pd(-2.0);
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m256d l = _mm256_loadu_pd(f + i);
    _mm256_storeu_pd(
        f + i, _mm256_sqrt_pd(_mm256_div_pd(_mm256_mul_pd(minus2, l), _mm256_loadu_pd(q + i))));
  }
  kvxPolarFactor(f + i, q + i, n - i);
}

}  // namespace kvx_avx2

const KvxKernels kvxAvx2Kernels = {"avx2",
                                   &kvx_avx2::Contig,
                                   &kvx_avx2::Offsets,
                                   &kvx_avx2::LcgAdd,
                                   &kvx_avx2::UniformFloat,
                                   &kvx_avx2::PolarFactor};
