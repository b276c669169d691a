// The one-based interleaved transform family: Four1, FFTReal, FFTtwo, FourN.
//
// Their twiddle factors come from the double-precision trigonometric
// recurrence started from two sines per stage; the exact sequence of
// recurrence values is part of the results, so every stage advances its
// recurrence in the fixed order and the butterflies only consume the values.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "BitReversal.h"
#include "DspCommon.h"
#include "TwiddleRecurrence.h"
#include "vandrel/Dsp.h"

namespace vandrel {

using dsp_detail::kTwoPi15;
using dsp_detail::ToSingle;
using dsp_detail::ValidTransformCount;

namespace {

using dsp_detail::Advance;
using dsp_detail::Rotation;
using dsp_detail::RotationFor;
using dsp_detail::TwiddlePlan;

// Swaps complex values into bit-reversed order; data is one-based, n floats.
void BitReverse(float* data, int64_t n) {
  dsp_detail::BitReversePermute(static_cast<uint64_t>(n / 2), [data](uint64_t a, uint64_t b) {
    float* pa = data + 1 + 2 * a;
    float* pb = data + 1 + 2 * b;
    uint64_t va, vb;  // a complex value moved as one 8-byte word
    std::memcpy(&va, pa, 8);
    std::memcpy(&vb, pb, 8);
    std::memcpy(pa, &vb, 8);
    std::memcpy(pb, &va, 8);
  });
}

// The butterflies of complex values k0 .. k0+kc-1 of every block of one stage.
// `base` is data + 1 (the first sample); blocks are 2 mmax floats apart and
// the partner of a value sits mmax floats above it. twr2, twi2 hold the
// twiddle factors duplicated pairwise. Every variant below performs, per
// value, tempr = wr*dr - wi*di and tempi = wr*di + wi*dr in double, then the
// sum and difference rounded to 32 bits: identical results.
using StageKernel = void (*)(float* base, int64_t n, int64_t mmax, int64_t k0, int64_t kc,
                             const double* twr2, const double* twi2);

void StageScalar(float* base, int64_t n, int64_t mmax, int64_t k0, int64_t kc, const double* twr2,
                 const double* twi2) {
  const int64_t istep = 2 * mmax;
  for (int64_t b = 0; b < n; b += istep) {
    float* lo = base + b + 2 * k0;
    float* hi = lo + mmax;
    for (int64_t k = 0; k < kc; ++k) {
      const double wr = twr2[2 * k];
      const double wi = twi2[2 * k];
      const double dr = hi[2 * k];
      const double di = hi[2 * k + 1];
      const double tempr = wr * dr - wi * di;
      const double tempi = wr * di + wi * dr;
      const double ar = lo[2 * k];
      const double ai = lo[2 * k + 1];
      hi[2 * k] = ToSingle(ar - tempr);
      hi[2 * k + 1] = ToSingle(ai - tempi);
      lo[2 * k] = ToSingle(ar + tempr);
      lo[2 * k + 1] = ToSingle(ai + tempi);
    }
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Two complex values per vector: (dr, di) pairs as doubles; the swapped
// pairs times (wi, wi) and addsub give (wr*dr - wi*di, wr*di + wi*dr).
__attribute__((target("avx2"))) inline void ButterflyAvx2(float* lo, float* hi, __m256d wr,
                                                          __m256d wi) {
  const __m256d d = _mm256_cvtps_pd(_mm_loadu_ps(hi));
  const __m256d l = _mm256_cvtps_pd(_mm_loadu_ps(lo));
  const __m256d t =
      _mm256_addsub_pd(_mm256_mul_pd(wr, d), _mm256_mul_pd(wi, _mm256_permute_pd(d, 0x5)));
  _mm_storeu_ps(hi, _mm256_cvtpd_ps(_mm256_sub_pd(l, t)));
  _mm_storeu_ps(lo, _mm256_cvtpd_ps(_mm256_add_pd(l, t)));
}

__attribute__((target("avx2"))) void StageAvx2(float* base, int64_t n, int64_t mmax, int64_t k0,
                                               int64_t kc, const double* twr2, const double* twi2) {
  const int64_t istep = 2 * mmax;
  if (kc == 1) {
    // The first stage: one butterfly per block of four floats; two blocks
    // at a time, regrouped into (lo, lo) and (hi, hi) vectors.
    const __m256d wr = _mm256_set1_pd(twr2[0]);
    const __m256d wi = _mm256_set1_pd(twi2[0]);
    float* p = base + 2 * k0;
    int64_t b = 0;
    for (; b + 2 * istep <= n; b += 2 * istep) {
      const __m256d x0 = _mm256_cvtps_pd(_mm_loadu_ps(p + b));
      const __m256d x1 = _mm256_cvtps_pd(_mm_loadu_ps(p + b + istep));
      const __m256d l = _mm256_permute2f128_pd(x0, x1, 0x20);
      const __m256d d = _mm256_permute2f128_pd(x0, x1, 0x31);
      const __m256d t =
          _mm256_addsub_pd(_mm256_mul_pd(wr, d), _mm256_mul_pd(wi, _mm256_permute_pd(d, 0x5)));
      const __m256d nl = _mm256_add_pd(l, t);
      const __m256d nh = _mm256_sub_pd(l, t);
      _mm_storeu_ps(p + b, _mm256_cvtpd_ps(_mm256_permute2f128_pd(nl, nh, 0x20)));
      _mm_storeu_ps(p + b + istep, _mm256_cvtpd_ps(_mm256_permute2f128_pd(nl, nh, 0x31)));
    }
    if (b < n) StageScalar(base + b, n - b, mmax, k0, kc, twr2, twi2);
    return;
  }
  // kc is even here: the stage sizes and run lengths are powers of two.
  for (int64_t b = 0; b < n; b += istep) {
    float* lo = base + b + 2 * k0;
    float* hi = lo + mmax;
    for (int64_t k = 0; k < kc; k += 2)
      ButterflyAvx2(lo + 2 * k, hi + 2 * k, _mm256_loadu_pd(twr2 + 2 * k),
                    _mm256_loadu_pd(twi2 + 2 * k));
  }
}

StageKernel ChooseStageKernel() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? &StageAvx2 : &StageScalar;
}
#else
StageKernel ChooseStageKernel() {
  return &StageScalar;
}
#endif

// Chosen on first use (not at load time, so a transform called from another
// unit's static initialiser still finds it).
StageKernel Stage() {
  static const StageKernel kernel = ChooseStageKernel();
  return kernel;
}

// Registers the twiddle sequences of Four1's stages on n floats (n >= 2);
// returns the id of the first, the others follow in stage order.
int AddFour1Stages(TwiddlePlan& plan, int64_t n, int sign) {
  int first = -1;
  for (int64_t mmax = 2; n > mmax; mmax *= 2) {
    const Rotation rot = RotationFor(kTwoPi15 / (static_cast<double>(sign) * mmax));
    const int id = plan.Add(rot, 1.0, 0.0, mmax / 2);
    if (first < 0) first = id;
  }
  return first;
}

// Four1 on n = 2 nn floats with the stage sequences registered from `first`.
//
// The early stages pair values within blocks of at most kBlock floats, so
// they run block by block while the block stays in the first-level cache:
// one pass over the data instead of one per stage. Each butterfly still sees
// exactly the values of the stage before it. The plan's side-by-side run
// (BeginPrepare done) is spread over these short stages, whose factors need
// none of it.
void Four1Stages(float* data, int64_t n, TwiddlePlan& plan, int first) {
  const StageKernel stage = Stage();
  BitReverse(data, n);
  constexpr int64_t kBlock = 1024;                 // floats
  constexpr int64_t kBlockedFactors = kBlock / 2;  // all factors of those stages
  const int64_t block = std::min(n, kBlock);
  // Factors of the blocked stages, one after the other, duplicated pairwise.
  alignas(64) double twr[2 * kBlockedFactors];
  alignas(64) double twi[2 * kBlockedFactors];
  int64_t offset[32];
  int blocked = 0;
  int id = first;
  int64_t mmax = 2;
  // A transform of one block runs stage by stage without the gathering.
  for (int64_t used = 0; n > block && 2 * mmax <= block; mmax *= 2, ++id, ++blocked) {
    offset[blocked] = used;
    plan.ForEachRun(id, [&](int64_t k0, int64_t kc, const double* wr2, const double* wi2) {
      std::memcpy(twr + 2 * (used + k0), wr2, 2 * kc * sizeof(double));
      std::memcpy(twi + 2 * (used + k0), wi2, 2 * kc * sizeof(double));
    });
    used += mmax / 2;
  }
  const int64_t blocks = n / block;
  for (int64_t b = 0; blocked > 0 && b < n; b += block) {
    for (int s = 0; s < blocked; ++s) {
      const int64_t m = int64_t{2} << s;
      stage(data + 1 + b, block, m, 0, m / 2, twr + 2 * offset[s], twi + 2 * offset[s]);
    }
    plan.PrepareSome((plan.PendingSteps() + blocks - 1) / blocks);
  }
  for (; n > mmax; mmax *= 2, ++id) {
    if (plan.IsShort(id)) {
      plan.ForEachRun(id, [&](int64_t k0, int64_t kc, const double* twr2, const double* twi2) {
        stage(data + 1, n, mmax, k0, kc, twr2, twi2);
      });
      continue;
    }
    plan.FinishPrepare();
    plan.ForEachRun(id, [&](int64_t k0, int64_t kc, const double* twr2, const double* twi2) {
      stage(data + 1, n, mmax, k0, kc, twr2, twi2);
    });
  }
}

// FFTReal's separation of the packed halves for i = k0+2 .. k0+len+1 (factor
// u of the run belongs to i = k0 + u + 2): value i1, i2 at the front pairs
// with i3, i4 mirrored from the back.
using SeparateKernel = void (*)(float* data, int64_t nc, double c1, double c2, int64_t k0,
                                int64_t len, const double* twr2, const double* twi2);

void SeparateScalar(float* data, int64_t nc, double c1, double c2, int64_t k0, int64_t len,
                    const double* twr2, const double* twi2) {
  for (int64_t u = 0; u < len; ++u) {
    const double wr = twr2[2 * u];
    const double wi = twi2[2 * u];
    const int64_t i = k0 + u + 2;
    const int64_t i1 = 2 * i - 1;
    const int64_t i2 = i1 + 1;
    const int64_t i3 = 2 * nc + 3 - i2;
    const int64_t i4 = i3 + 1;
    const double h1r = c1 * (static_cast<double>(data[i1]) + data[i3]);
    const double h1i = c1 * (static_cast<double>(data[i2]) - data[i4]);
    const double h2r = -c2 * (static_cast<double>(data[i2]) + data[i4]);
    const double h2i = c2 * (static_cast<double>(data[i1]) - data[i3]);
    data[i1] = ToSingle(h1r + wr * h2r - wi * h2i);
    data[i2] = ToSingle(h1i + wr * h2i + wi * h2r);
    data[i3] = ToSingle(h1r - wr * h2r + wi * h2i);
    data[i4] = ToSingle(-h1i + wr * h2i + wi * h2r);
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Two values i, i+1 per vector, lanes (re, im). With P = (a1, a2) from the
// front and Q = (a3, a4) from the back, S = P + Q and D = P - Q give
// H1 = (c1 S.re, c1 D.im) and H2 = (-c2 S.im, c2 D.re); then the front is
// addsub(H1 + wr H2, wi swap(H2)) and the back (h1r + -(wr h2r), -h1i + wr h2i)
// + wi swap(H2): per element the operations of the scalar rule.
__attribute__((target("avx2"))) void SeparateAvx2(float* data, int64_t nc, double c1, double c2,
                                                  int64_t k0, int64_t len, const double* twr2,
                                                  const double* twi2) {
  const __m256d vc1 = _mm256_set1_pd(c1);
  const __m256d vc2 = _mm256_setr_pd(-c2, c2, -c2, c2);
  const __m256d oddSign = _mm256_setr_pd(0.0, -0.0, 0.0, -0.0);
  const __m256d evenSign = _mm256_setr_pd(-0.0, 0.0, -0.0, 0.0);
  int64_t u = 0;
  // Front and back blocks of the pair must not meet (they do at the middle).
  for (; u + 1 < len && 4 * (k0 + u + 3) < 2 * nc - 1; u += 2) {
    const int64_t i = k0 + u + 2;
    float* front = data + 2 * i - 1;
    float* back = data + 2 * nc + 1 - 2 * i;  // values i+1, i
    const __m256d p = _mm256_cvtps_pd(_mm_loadu_ps(front));
    const __m256d q =
        _mm256_permute2f128_pd(_mm256_cvtps_pd(_mm_loadu_ps(back)), _mm256_setzero_pd(), 0x01);
    const __m256d sum = _mm256_add_pd(p, q);
    const __m256d dif = _mm256_sub_pd(p, q);
    const __m256d h1 = _mm256_mul_pd(vc1, _mm256_blend_pd(sum, dif, 0xA));
    const __m256d x =
        _mm256_blend_pd(_mm256_permute_pd(sum, 0x5), _mm256_permute_pd(dif, 0x5), 0xA);
    const __m256d h2 = _mm256_mul_pd(vc2, x);
    const __m256d wr = _mm256_loadu_pd(twr2 + 2 * u);
    const __m256d wi = _mm256_loadu_pd(twi2 + 2 * u);
    const __m256d a = _mm256_mul_pd(wr, h2);
    const __m256d b = _mm256_mul_pd(wi, _mm256_permute_pd(h2, 0x5));
    const __m256d f = _mm256_addsub_pd(_mm256_add_pd(h1, a), b);
    const __m256d g = _mm256_add_pd(_mm256_xor_pd(h1, oddSign), _mm256_xor_pd(a, evenSign));
    const __m256d bk = _mm256_add_pd(g, b);
    _mm_storeu_ps(front, _mm256_cvtpd_ps(f));
    _mm_storeu_ps(back, _mm256_cvtpd_ps(_mm256_permute2f128_pd(bk, bk, 0x01)));
  }
  // Leave the 256-bit state clean before the scalar tail: GCC turns that call
  // into a sibling jump without the vzeroupper it puts before returns, and the
  // dirty upper halves then slow every later SSE instruction of the process
  // (libm's cosine, for one, runs at half speed).
  _mm256_zeroupper();
  if (u < len) SeparateScalar(data, nc, c1, c2, k0 + u, len - u, twr2 + 2 * u, twi2 + 2 * u);
}

SeparateKernel ChooseSeparateKernel() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? &SeparateAvx2 : &SeparateScalar;
}
#else
SeparateKernel ChooseSeparateKernel() {
  return &SeparateScalar;
}
#endif

SeparateKernel Separate() {
  static const SeparateKernel kernel = ChooseSeparateKernel();
  return kernel;
}

void SeparateHalves(float* data, int64_t nc, double c1, double c2, const TwiddlePlan& plan,
                    int id) {
  const SeparateKernel separate = Separate();
  plan.ForEachRun(id, [&](int64_t k0, int64_t len, const double* twr2, const double* twi2) {
    separate(data, nc, c1, c2, k0, len, twr2, twi2);
  });
}

void Four1Core(float* data, int64_t n, int sign) {
  TwiddlePlan plan;
  const int first = AddFour1Stages(plan, n, sign);
  plan.BeginPrepare();
  Four1Stages(data, n, plan, first);
}

}  // namespace

void Four1(float* data, int nn, int sign) {
  if (data == nullptr || sign == 0 || !ValidTransformCount(nn)) return;
  Four1Core(data, 2 * int64_t{nn}, sign);
}

void FFTReal(float* data, int n, int sign) {
  if (data == nullptr || !ValidTransformCount(n)) return;
  const int64_t nc = n;
  double theta = kTwoPi15 / (2.0 * nc);
  const double c1 = 0.5;
  const double c2 = sign == 1 ? -0.5 : 0.5;
  if (sign != 1) theta = -theta;
  const Rotation rot = RotationFor(theta);
  // All twiddle sequences of the call are planned together, so that the
  // long chains of the transform and of the separation run side by side.
  TwiddlePlan plan;
  const int stages = AddFour1Stages(plan, 2 * nc, sign == 1 ? +1 : -1);
  const int halves = plan.Add(rot, 1.0 + rot.wpr, rot.wpi, nc / 2);
  plan.BeginPrepare();
  if (sign == 1) Four1Stages(data, 2 * nc, plan, stages);
  plan.FinishPrepare();
  SeparateHalves(data, nc, c1, c2, plan, halves);
  const double h = data[1];
  if (sign == 1) {
    data[1] = ToSingle(h + data[2]);
    data[2] = ToSingle(h - data[2]);
  } else {
    data[1] = ToSingle(c1 * (h + data[2]));
    data[2] = ToSingle(c1 * (h - data[2]));
    Four1Stages(data, 2 * nc, plan, stages);
  }
}

void FFTtwo(const float* data1, const float* data2, float* fft1, float* fft2, int n) {
  if (data1 == nullptr || data2 == nullptr || fft1 == nullptr || fft2 == nullptr ||
      !ValidTransformCount(n))
    return;
  const int64_t nc = n;
  for (int64_t j = 1; j <= nc; ++j) {
    fft1[2 * j - 1] = data1[j];
    fft1[2 * j] = data2[j];
  }
  Four1Core(fft1, 2 * nc, +1);
  fft2[1] = fft1[2];
  fft1[2] = 0.0f;
  fft2[2] = 0.0f;
  const int64_t nn2 = 2 * nc + 2;
  const int64_t nn3 = 2 * nc + 3;
  for (int64_t j = 3; j <= nc + 1; j += 2) {
    const double rep = 0.5 * (static_cast<double>(fft1[j]) + fft1[nn2 - j]);
    const double rem = 0.5 * (static_cast<double>(fft1[j]) - fft1[nn2 - j]);
    const double aip = 0.5 * (static_cast<double>(fft1[j + 1]) + fft1[nn3 - j]);
    const double aim = 0.5 * (static_cast<double>(fft1[j + 1]) - fft1[nn3 - j]);
    fft1[j] = ToSingle(rep);
    fft1[j + 1] = ToSingle(aim);
    fft1[nn2 - j] = ToSingle(rep);
    fft1[nn3 - j] = ToSingle(-aim);
    fft2[j] = ToSingle(aip);
    fft2[j + 1] = ToSingle(-rem);
    fft2[nn2 - j] = ToSingle(aip);
    fft2[nn3 - j] = ToSingle(rem);
  }
}

void FourN(float* data, const int* nn, int ndim, int sign) {
  if (data == nullptr || nn == nullptr || ndim < 1 || sign == 0) return;
  int64_t ntot = 1;
  for (int idim = 1; idim <= ndim; ++idim) {
    if (!ValidTransformCount(nn[idim])) return;
    ntot *= nn[idim];
    if (ntot > dsp_detail::kMaxTransformCount) return;
  }
  int64_t nprev = 1;
  for (int idim = 1; idim <= ndim; ++idim) {
    const int64_t n = nn[idim];
    const int64_t nrem = ntot / (n * nprev);
    const int64_t ip1 = 2 * nprev;
    const int64_t ip2 = ip1 * n;
    const int64_t ip3 = ip2 * nrem;
    int64_t i2rev = 1;
    for (int64_t i2 = 1; i2 <= ip2; i2 += ip1) {
      if (i2 < i2rev) {
        for (int64_t i1 = i2; i1 <= i2 + ip1 - 2; i1 += 2) {
          for (int64_t i3 = i1; i3 <= ip3; i3 += ip2) {
            const int64_t i3rev = i2rev + i3 - i2;
            std::swap(data[i3], data[i3rev]);
            std::swap(data[i3 + 1], data[i3rev + 1]);
          }
        }
      }
      int64_t ibit = ip2 / 2;
      while (ibit >= ip1 && i2rev > ibit) {
        i2rev -= ibit;
        ibit /= 2;
      }
      i2rev += ibit;
    }
    for (int64_t ifp1 = ip1; ifp1 < ip2;) {
      const int64_t ifp2 = 2 * ifp1;
      const double theta = static_cast<double>(sign) * kTwoPi15 / static_cast<double>(ifp2 / ip1);
      const Rotation rot = RotationFor(theta);
      double wr = 1.0;
      double wi = 0.0;
      for (int64_t i3 = 1; i3 <= ifp1; i3 += ip1) {
        for (int64_t i1 = i3; i1 <= i3 + ip1 - 2; i1 += 2) {
          for (int64_t i2 = i1; i2 <= ip3; i2 += ifp2) {
            const int64_t k1 = i2;
            const int64_t k2 = k1 + ifp1;
            const double dr = data[k2];
            const double di = data[k2 + 1];
            const double tempr = wr * dr - wi * di;
            const double tempi = wr * di + wi * dr;
            const double ar = data[k1];
            const double ai = data[k1 + 1];
            data[k2] = ToSingle(ar - tempr);
            data[k2 + 1] = ToSingle(ai - tempi);
            data[k1] = ToSingle(ar + tempr);
            data[k1 + 1] = ToSingle(ai + tempi);
          }
        }
        Advance(wr, wi, rot);
      }
      ifp1 = ifp2;
    }
    nprev *= n;
  }
}

}  // namespace vandrel
