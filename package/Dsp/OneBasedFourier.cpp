// The one-based interleaved transform family: Four1, FFTReal, FFTtwo, FourN.
//
// Their twiddle factors come from the double-precision trigonometric
// recurrence started from two sines per stage; the exact sequence of
// recurrence values is part of the results, so every stage advances its
// recurrence in the fixed order and the butterflies only consume the values.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "DspCommon.h"
#include "vandrel/Dsp.h"

namespace vandrel {

using dsp_detail::kTwoPi15;
using dsp_detail::ToSingle;
using dsp_detail::ValidTransformCount;

namespace {

// Increments of the recurrence for the angle step theta.
struct Rotation {
  double wpr;
  double wpi;
};

Rotation RotationFor(double theta) {
  const double s = std::sin(0.5 * theta);
  return {-2.0 * s * s, std::sin(theta)};
}

// One step of the recurrence: (wr, wi) rotated by theta, in the fixed order.
inline void Advance(double& wr, double& wi, const Rotation& r) {
  const double wtemp = wr;
  wr = wr * r.wpr - wi * r.wpi + wr;
  wi = wi * r.wpr + wtemp * r.wpi + wi;
}

// Twiddle factors are produced in chunks on the stack, so that the butterflies
// of a chunk run as a contiguous, vectorisable sweep over every block.
constexpr int64_t kTwiddleChunk = 512;

// Swaps complex values into bit-reversed order; data is one-based, n floats.
void BitReverse(float* data, int64_t n) {
  int64_t j = 1;
  for (int64_t i = 1; i < n; i += 2) {
    if (i < j) {
      std::swap(data[j], data[i]);
      std::swap(data[j + 1], data[i + 1]);
    }
    int64_t m = n / 2;
    while (m >= 2 && j > m) {
      j -= m;
      m /= 2;
    }
    j += m;
  }
}

// The butterflies of complex values k0 .. k0+kc-1 of every block of one stage.
// `base` is data + 1 (the first sample), blocks are istep floats apart and the
// partner of a value sits mmax floats above it.
void StageChunk(float* base, int64_t n, int64_t mmax, int64_t k0, int64_t kc, const double* twr,
                const double* twi) {
  const int64_t istep = 2 * mmax;
  for (int64_t b = 0; b < n; b += istep) {
    float* lo = base + b + 2 * k0;
    float* hi = lo + mmax;
    for (int64_t k = 0; k < kc; ++k) {
      const double wr = twr[k];
      const double wi = twi[k];
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

// Four1 on n = 2 nn floats; n a power of two >= 2, sign non-zero.
void Four1Core(float* data, int64_t n, int sign) {
  BitReverse(data, n);
  double twr[kTwiddleChunk];
  double twi[kTwiddleChunk];
  for (int64_t mmax = 2; n > mmax; mmax *= 2) {
    const Rotation rot = RotationFor(kTwoPi15 / (static_cast<double>(sign) * mmax));
    double wr = 1.0;
    double wi = 0.0;
    const int64_t values = mmax / 2;  // butterflies per block, one per twiddle
    for (int64_t k0 = 0; k0 < values; k0 += kTwiddleChunk) {
      const int64_t kc = std::min(kTwiddleChunk, values - k0);
      for (int64_t k = 0; k < kc; ++k) {
        twr[k] = wr;
        twi[k] = wi;
        Advance(wr, wi, rot);
      }
      StageChunk(data + 1, n, mmax, k0, kc, twr, twi);
    }
  }
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
  double c2;
  if (sign == 1) {
    c2 = -0.5;
    Four1Core(data, 2 * nc, +1);
  } else {
    c2 = 0.5;
    theta = -theta;
  }
  const Rotation rot = RotationFor(theta);
  double wr = 1.0 + rot.wpr;
  double wi = rot.wpi;
  const int64_t last = nc / 2 + 1;
  for (int64_t i = 2; i <= last; ++i) {
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
    Advance(wr, wi, rot);
  }
  const double h = data[1];
  if (sign == 1) {
    data[1] = ToSingle(h + data[2]);
    data[2] = ToSingle(h - data[2]);
  } else {
    data[1] = ToSingle(c1 * (h + data[2]));
    data[2] = ToSingle(c1 * (h - data[2]));
    Four1Core(data, 2 * nc, -1);
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
