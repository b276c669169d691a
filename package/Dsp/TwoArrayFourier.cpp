// The two-array transform family: FFTJ (and FFT8, FFTM), FFTCooly and Dft.
// Their twiddle factors are evaluated directly with sine and cosine.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "BitReversal.h"
#include "DspCommon.h"
#include "vandrel/Dsp.h"

namespace vandrel {

using dsp_detail::kPi;
using dsp_detail::ToSingle;
using dsp_detail::ValidTransformCount;

namespace {

// Twiddle factors of a stage are evaluated a chunk at a time into stack
// buffers; the butterflies then sweep every block with them contiguously.
constexpr int64_t kTwiddleChunk = 512;

// Reorders re[base .. base+n-1] and im likewise by bit reversal of the index.
void BitReverseTwoArrays(int64_t n, float* re, float* im) {
  dsp_detail::BitReversePermute(static_cast<uint64_t>(n), [re, im](uint64_t a, uint64_t b) {
    std::swap(re[a], re[b]);
    std::swap(im[a], im[b]);
  });
}

// One sweep of butterflies over half-blocks r0/i0 and their partners r1/i1
// (disjoint ranges) with twiddles tw; FFTJ's decimation in frequency.
VANDREL_DSP_KERNEL void SweepFFTJ(int64_t count, float* __restrict r0, float* __restrict i0,
                                  float* __restrict r1, float* __restrict i1,
                                  const double* __restrict twr, const double* __restrict twi) {
  for (int64_t t = 0; t < count; ++t) {
    const double wr = twr[t];
    const double wi = twi[t];
    const double xt = static_cast<double>(r0[t]) - r1[t];
    r0[t] = ToSingle(static_cast<double>(r0[t]) + r1[t]);
    const double yt = static_cast<double>(i0[t]) - i1[t];
    i0[t] = ToSingle(static_cast<double>(i0[t]) + i1[t]);
    r1[t] = ToSingle(xt * wr + yt * wi);
    i1[t] = ToSingle(yt * wr - xt * wi);
  }
}

// The last stages of FFTJ have halves of 1, 2 or 4 values: there the sweep
// runs across the blocks (span 2H apart) instead of along them.
template <int H>
VANDREL_DSP_KERNEL void SweepFFTJSmall(int64_t blocks, float* __restrict re, float* __restrict im,
                                       const double* __restrict twr, const double* __restrict twi) {
  for (int64_t b = 0; b < blocks; ++b) {
    float* r0 = re + 2 * H * b;
    float* i0 = im + 2 * H * b;
    for (int t = 0; t < H; ++t) {
      const double wr = twr[t];
      const double wi = twi[t];
      const double xt = static_cast<double>(r0[t]) - r0[t + H];
      r0[t] = ToSingle(static_cast<double>(r0[t]) + r0[t + H]);
      const double yt = static_cast<double>(i0[t]) - i0[t + H];
      i0[t] = ToSingle(static_cast<double>(i0[t]) + i0[t + H]);
      r0[t + H] = ToSingle(xt * wr + yt * wi);
      i0[t + H] = ToSingle(yt * wr - xt * wi);
    }
  }
}

// FFTCooly's decimation-in-time butterflies, twiddles held in 32 bits.
VANDREL_DSP_KERNEL void SweepCooly(int64_t count, float* __restrict r0, float* __restrict i0,
                                   float* __restrict r1, float* __restrict i1,
                                   const float* __restrict twr, const float* __restrict twi) {
  for (int64_t t = 0; t < count; ++t) {
    const double wr = twr[t];
    const double wi = twi[t];
    const double tr = wr * r1[t] - wi * i1[t];
    const double ti = wr * i1[t] + wi * r1[t];
    r1[t] = ToSingle(r0[t] - tr);
    i1[t] = ToSingle(i0[t] - ti);
    r0[t] = ToSingle(r0[t] + tr);
    i0[t] = ToSingle(i0[t] + ti);
  }
}

}  // namespace

void FFTJ(int n, float* re, float* im) {
  if (re == nullptr || im == nullptr || !ValidTransformCount(n)) return;
  const int64_t nc = n;
  const int stages = std::countr_zero(static_cast<uint64_t>(nc));
  double twr[kTwiddleChunk];
  double twi[kTwiddleChunk];
  int64_t half = nc;
  for (int stage = 0; stage < stages; ++stage) {
    const int64_t span = half;
    half = span / 2;
    const double e = 2.0 * kPi / static_cast<double>(span);
    for (int64_t j0 = 0; j0 < half; j0 += kTwiddleChunk) {
      const int64_t jc = std::min(kTwiddleChunk, half - j0);
      for (int64_t t = 0; t < jc; ++t) {
        const double a = static_cast<double>(j0 + t) * e;
        twr[t] = std::cos(a);
        twi[t] = std::sin(a);
      }
      if (half <= 4) {
        const int64_t blocks = nc / span;
        if (half == 1) SweepFFTJSmall<1>(blocks, re, im, twr, twi);
        if (half == 2) SweepFFTJSmall<2>(blocks, re, im, twr, twi);
        if (half == 4) SweepFFTJSmall<4>(blocks, re, im, twr, twi);
        continue;
      }
      for (int64_t b = 0; b < nc; b += span) {
        float* r0 = re + b + j0;
        float* i0 = im + b + j0;
        SweepFFTJ(jc, r0, i0, r0 + half, i0 + half, twr, twi);
      }
    }
  }
  BitReverseTwoArrays(nc, re, im);
  // Division by a power of two: the float quotient is the exact double one.
  const float scale = static_cast<float>(nc);
  for (int64_t i = 0; i < nc; ++i) {
    re[i] = re[i] / scale;
    im[i] = im[i] / scale;
  }
}

// Kept as separate entry points of the interface; they carry FFTJ's contract.
void FFT8(int n, float* re, float* im) {
  FFTJ(n, re, im);
}
void FFTM(int n, float* re, float* im) {
  FFTJ(n, re, im);
}

void FFTCooly(int n, float* re, float* im, int sign) {
  if (re == nullptr || im == nullptr || !ValidTransformCount(n)) return;
  const int64_t nc = n;
  // One-based: the same permutation on re[1 .. n], im[1 .. n].
  BitReverseTwoArrays(nc, re + 1, im + 1);
  const double s = sign;
  float twr[kTwiddleChunk];
  float twi[kTwiddleChunk];
  for (int64_t le = 1; le < nc; le *= 2) {
    const int64_t le2 = 2 * le;
    for (int64_t j0 = 0; j0 < le; j0 += kTwiddleChunk) {
      const int64_t jc = std::min(kTwiddleChunk, le - j0);
      for (int64_t t = 0; t < jc; ++t) {
        // The angle and both factors are held in 32 bits.
        const float phi = ToSingle(kPi * static_cast<double>(j0 + t) * s / static_cast<double>(le));
        twr[t] = ToSingle(std::cos(static_cast<double>(phi)));
        twi[t] = ToSingle(std::sin(static_cast<double>(phi)));
      }
      for (int64_t b = 1; b <= nc; b += le2) {
        float* r0 = re + b + j0;
        float* i0 = im + b + j0;
        SweepCooly(jc, r0, i0, r0 + le, i0 + le, twr, twi);
      }
    }
  }
  const float scale = static_cast<float>(nc);
  if (sign < 0) {
    for (int64_t i = 1; i <= nc; ++i) {
      re[i] = re[i] * scale;
      im[i] = im[i] * scale;
    }
  } else {
    for (int64_t i = 1; i <= nc; ++i) {
      re[i] = re[i] / scale;
      im[i] = im[i] / scale;
    }
  }
}

void Dft(int n, const float* x, float* re, float* im) {
  if (n <= 0 || n > dsp_detail::kMaxTransformCount || x == nullptr || re == nullptr ||
      im == nullptr)
    return;
  const int64_t nc = n;
  const double dn = static_cast<double>(nc);
  const float w = ToSingle(2.0 * kPi / dn);
  for (int64_t k = 0; k < nc; ++k) {
    const double kw = static_cast<double>(k) * w;
    // The sums are rounded to 32 bits after every term, as the array elements
    // that hold them would be.
    float sr = re[k];
    float si = im[k];
    for (int64_t j = 0; j < 2 * nc; ++j) {
      const double phi = ToSingle(kw * static_cast<double>(j) / 2.0);
      const double xj = x[j];
      sr = ToSingle(sr + std::cos(phi) * xj / dn);
      si = ToSingle(si - std::sin(phi) * xj / dn);
    }
    re[k] = sr;
    im[k] = si;
  }
}

}  // namespace vandrel
