#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "DftReference.h"
#include "vandrel/Dsp.h"

namespace vandrel {
namespace {

using testref::Cplx;
using testref::DirectDft;
using testref::FftTolerance;
using testref::RandomSamples;
using testref::RelativeL2;

// Literal, loop-for-loop transcriptions of the one-based routines. The library
// reorders the butterflies for speed; these keep the textbook order, so the
// two must agree bit for bit.
namespace literal {

void Four1(float* data, int nn, int isign) {
  const int n = nn << 1;
  int j = 1;
  for (int i = 1; i < n; i += 2) {
    if (j > i) {
      std::swap(data[j], data[i]);
      std::swap(data[j + 1], data[i + 1]);
    }
    int m = n >> 1;
    while (m >= 2 && j > m) {
      j -= m;
      m >>= 1;
    }
    j += m;
  }
  int mmax = 2;
  while (n > mmax) {
    const int istep = mmax << 1;
    const double theta = 6.28318530717959 / (isign * mmax);
    double wtemp = std::sin(0.5 * theta);
    const double wpr = -2.0 * wtemp * wtemp;
    const double wpi = std::sin(theta);
    double wr = 1.0, wi = 0.0;
    for (int m = 1; m < mmax; m += 2) {
      for (int i = m; i <= n; i += istep) {
        j = i + mmax;
        const double tempr = wr * data[j] - wi * data[j + 1];
        const double tempi = wr * data[j + 1] + wi * data[j];
        data[j] = static_cast<float>(data[i] - tempr);
        data[j + 1] = static_cast<float>(data[i + 1] - tempi);
        data[i] = static_cast<float>(data[i] + tempr);
        data[i + 1] = static_cast<float>(data[i + 1] + tempi);
      }
      wtemp = wr;
      wr = wr * wpr - wi * wpi + wr;
      wi = wi * wpr + wtemp * wpi + wi;
    }
    mmax = istep;
  }
}

void FFTReal(float* data, int n, int isign) {
  double theta = 6.28318530717959 / (2.0 * n);
  const double c1 = 0.5;
  double c2;
  if (isign == 1) {
    c2 = -0.5;
    Four1(data, n, 1);
  } else {
    c2 = 0.5;
    theta = -theta;
  }
  double wtemp = std::sin(0.5 * theta);
  const double wpr = -2.0 * wtemp * wtemp;
  const double wpi = std::sin(theta);
  double wr = 1.0 + wpr, wi = wpi;
  for (int i = 2; i <= n / 2 + 1; ++i) {
    const int i1 = i + i - 1, i2 = i1 + 1, i3 = 2 * n + 3 - i2, i4 = i3 + 1;
    const double h1r = c1 * (static_cast<double>(data[i1]) + data[i3]);
    const double h1i = c1 * (static_cast<double>(data[i2]) - data[i4]);
    const double h2r = -c2 * (static_cast<double>(data[i2]) + data[i4]);
    const double h2i = c2 * (static_cast<double>(data[i1]) - data[i3]);
    data[i1] = static_cast<float>(h1r + wr * h2r - wi * h2i);
    data[i2] = static_cast<float>(h1i + wr * h2i + wi * h2r);
    data[i3] = static_cast<float>(h1r - wr * h2r + wi * h2i);
    data[i4] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
    wtemp = wr;
    wr = wr * wpr - wi * wpi + wr;
    wi = wi * wpr + wtemp * wpi + wi;
  }
  const double h = data[1];
  if (isign == 1) {
    data[1] = static_cast<float>(h + data[2]);
    data[2] = static_cast<float>(h - data[2]);
  } else {
    data[1] = static_cast<float>(c1 * (h + data[2]));
    data[2] = static_cast<float>(c1 * (h - data[2]));
    Four1(data, n, -1);
  }
}

void FFTJ(int n, float* re, float* im) {
  const int stages = static_cast<int>(std::log2(n) + 0.5);
  int half = n;
  for (int s = 0; s < stages; ++s) {
    const int span = half;
    half = span / 2;
    const double e = 2 * M_PI / span;
    double a = 0;
    for (int j = 0; j < half; ++j) {
      const double wr = std::cos(a), wi = std::sin(a);
      for (int i = j; i <= n - 1; i += span) {
        const int l = i + half;
        const double xt = static_cast<double>(re[i]) - re[l];
        re[i] = static_cast<float>(static_cast<double>(re[i]) + re[l]);
        const double yt = static_cast<double>(im[i]) - im[l];
        im[i] = static_cast<float>(static_cast<double>(im[i]) + im[l]);
        re[l] = static_cast<float>(xt * wr + yt * wi);
        im[l] = static_cast<float>(yt * wr - xt * wi);
      }
      a = (j + 1) * e;
    }
  }
  int j = 0;
  for (int i = 0; i <= n - 2; ++i) {
    if (i < j) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
    int k = n / 2;
    while (k <= j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }
  for (int i = 0; i < n; ++i) {
    re[i] = static_cast<float>(re[i] / static_cast<double>(n));
    im[i] = static_cast<float>(im[i] / static_cast<double>(n));
  }
}

void FFTCooly(int n, float* re, float* im, int s) {
  int j = 1;
  for (int i = 1; i <= n - 1; ++i) {
    if (i < j) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
    int k = n / 2;
    while (k < j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }
  for (int le = 1; le < n; le *= 2) {
    const int le2 = 2 * le;
    for (int jj = 1; jj <= le; ++jj) {
      const float phi = static_cast<float>(M_PI * (jj - 1) * s / le);
      const float wr = static_cast<float>(std::cos(static_cast<double>(phi)));
      const float wi = static_cast<float>(std::sin(static_cast<double>(phi)));
      for (int i = jj; i <= n; i += le2) {
        const int ip = i + le;
        const double tr = static_cast<double>(wr) * re[ip] - static_cast<double>(wi) * im[ip];
        const double ti = static_cast<double>(wr) * im[ip] + static_cast<double>(wi) * re[ip];
        re[ip] = static_cast<float>(re[i] - tr);
        im[ip] = static_cast<float>(im[i] - ti);
        re[i] = static_cast<float>(re[i] + tr);
        im[i] = static_cast<float>(im[i] + ti);
      }
    }
  }
  for (int i = 1; i <= n; ++i) {
    re[i] =
        static_cast<float>(s < 0 ? re[i] * static_cast<double>(n) : re[i] / static_cast<double>(n));
    im[i] =
        static_cast<float>(s < 0 ? im[i] * static_cast<double>(n) : im[i] / static_cast<double>(n));
  }
}

}  // namespace literal

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// One-based interleaved array of nn complex values with sentinels at element 0
// and one past the end.
constexpr float kSentinel = -12345.5f;

std::vector<float> OneBased(const std::vector<float>& values) {
  std::vector<float> d(values.size() + 2, kSentinel);
  std::copy(values.begin(), values.end(), d.begin() + 1);
  return d;
}

std::vector<Cplx> ComplexFromOneBased(const std::vector<float>& d, int nn) {
  std::vector<Cplx> c(nn);
  for (int k = 0; k < nn; ++k) c[k] = Cplx(d[2 * k + 1], d[2 * k + 2]);
  return c;
}

// ---------------------------------------------------------------------------
// Four1

TEST(Four1Test, MatchesDirectDftBothDirections) {
  for (int nn = 1; nn <= 1024; nn *= 2) {
    for (int sign : {+1, -1}) {
      const auto values = RandomSamples(2 * nn, nn * 7 + (sign > 0));
      auto d = OneBased(values);
      Four1(d.data(), nn, sign);
      EXPECT_EQ(d[0], kSentinel);
      EXPECT_EQ(d[2 * nn + 1], kSentinel);
      const auto want = DirectDft(ComplexFromOneBased(OneBased(values), nn), sign);
      EXPECT_LT(RelativeL2(ComplexFromOneBased(d, nn), want), FftTolerance(nn))
          << "nn=" << nn << " sign=" << sign;
    }
  }
}

TEST(Four1Test, ForwardThenInverseGivesCountTimesData) {
  const int nn = 256;
  const auto values = RandomSamples(2 * nn, 3);
  auto d = OneBased(values);
  Four1(d.data(), nn, -1);
  Four1(d.data(), nn, +1);
  for (int i = 0; i < 2 * nn; ++i) EXPECT_NEAR(d[i + 1], nn * values[i], 1e-4 * nn);
}

TEST(Four1Test, SingleValueUnchanged) {
  std::vector<float> d = {kSentinel, 3.5f, -2.0f};
  Four1(d.data(), 1, 1);
  EXPECT_EQ(d, (std::vector<float>{kSentinel, 3.5f, -2.0f}));
}

TEST(Four1Test, BitIdenticalToTextbookLoopOrder) {
  for (int nn : {2, 8, 64, 1024, 2048, 16384}) {
    for (int sign : {+1, -1}) {
      auto a = OneBased(RandomSamples(2 * nn, nn + sign + 10));
      auto b = a;
      Four1(a.data(), nn, sign);
      literal::Four1(b.data(), nn, sign);
      EXPECT_TRUE(SameBits(a, b)) << "nn=" << nn << " sign=" << sign;
    }
  }
}

// ---------------------------------------------------------------------------
// FFTReal

// The packed real spectrum of 2n real samples as n + 1 complex values F(0..n).
std::vector<Cplx> UnpackReal(const std::vector<float>& d, int n) {
  std::vector<Cplx> f(n + 1);
  f[0] = Cplx(d[1], 0);
  f[n] = Cplx(d[2], 0);
  for (int k = 1; k < n; ++k) f[k] = Cplx(d[2 * k + 1], d[2 * k + 2]);
  return f;
}

TEST(FFTRealTest, ForwardMatchesDirectDftOfRealSignal) {
  for (int n = 1; n <= 2048; n *= 2) {
    const auto x = RandomSamples(2 * n, 100 + n);
    auto d = OneBased(x);
    FFTReal(d.data(), n, 1);
    EXPECT_EQ(d[0], kSentinel);
    EXPECT_EQ(d[2 * n + 1], kSentinel);
    std::vector<Cplx> xc(x.begin(), x.end());
    const auto want = DirectDft(xc, +1, n + 1);
    EXPECT_LT(RelativeL2(UnpackReal(d, n), want), FftTolerance(2 * n)) << "n=" << n;
  }
}

TEST(FFTRealTest, InverseGivesHalfCountTimesSamples) {
  for (int n : {1, 2, 16, 512}) {
    const auto x = RandomSamples(2 * n, 200 + n);
    auto d = OneBased(x);
    FFTReal(d.data(), n, 1);
    FFTReal(d.data(), n, -1);
    for (int i = 0; i < 2 * n; ++i)
      EXPECT_NEAR(d[i + 1], n * x[i], 1e-5 * n * (1 + std::log2(2.0 * n))) << "n=" << n;
  }
}

TEST(FFTRealTest, ConstantSignalGivesExactDcAndBack) {
  const int n = 64;
  const float v = 0.75f;
  std::vector<float> d(2 * n + 1, v);
  d[0] = kSentinel;
  FFTReal(d.data(), n, 1);
  EXPECT_EQ(d[1], 2 * n * v);
  for (int i = 2; i <= 2 * n; ++i) EXPECT_EQ(d[i], 0.0f) << i;
  FFTReal(d.data(), n, -1);
  for (int i = 1; i <= 2 * n; ++i) EXPECT_EQ(d[i], n * v) << i;
  EXPECT_EQ(d[0], kSentinel);
}

TEST(FFTRealTest, AnySignOtherThanOneIsTheInverse) {
  const int n = 32;
  auto ref = OneBased(RandomSamples(2 * n, 9));
  FFTReal(ref.data(), n, 1);
  auto inv = ref;
  FFTReal(inv.data(), n, -1);
  for (int sign : {0, 2, -7}) {
    auto d = ref;
    FFTReal(d.data(), n, sign);
    EXPECT_TRUE(SameBits(d, inv)) << sign;
  }
}

TEST(FFTRealTest, BitIdenticalToTextbookLoopOrder) {
  for (int n : {1, 4, 256, 4096, 32768}) {
    for (int sign : {1, -1}) {
      auto a = OneBased(RandomSamples(2 * n, n + 77 + sign));
      auto b = a;
      FFTReal(a.data(), n, sign);
      literal::FFTReal(b.data(), n, sign);
      EXPECT_TRUE(SameBits(a, b)) << "n=" << n << " sign=" << sign;
    }
  }
}

// ---------------------------------------------------------------------------
// FFTtwo

TEST(FFTtwoTest, TransformsBothSignals) {
  for (int n : {1, 2, 8, 128}) {
    const auto x1 = RandomSamples(n, 300 + n);
    const auto x2 = RandomSamples(n, 400 + n);
    const auto d1 = OneBased(x1);
    const auto d2 = OneBased(x2);
    std::vector<float> f1(2 * n + 2, kSentinel), f2(2 * n + 2, kSentinel);
    FFTtwo(d1.data(), d2.data(), f1.data(), f2.data(), n);
    EXPECT_EQ(f1[0], kSentinel);
    EXPECT_EQ(f2[0], kSentinel);
    EXPECT_EQ(f2[2 * n + 1], kSentinel);
    const auto want1 = DirectDft(std::vector<Cplx>(x1.begin(), x1.end()), +1);
    const auto want2 = DirectDft(std::vector<Cplx>(x2.begin(), x2.end()), +1);
    EXPECT_LT(RelativeL2(ComplexFromOneBased(f1, n), want1), FftTolerance(n)) << n;
    EXPECT_LT(RelativeL2(ComplexFromOneBased(f2, n), want2), FftTolerance(n)) << n;
  }
}

// ---------------------------------------------------------------------------
// FourN

// Direct multi-dimensional DFT, first dimension fastest, by separable passes.
std::vector<Cplx> DirectDftN(std::vector<Cplx> x, const std::vector<int>& dims, int sign) {
  int64_t stride = 1;
  const int64_t total = static_cast<int64_t>(x.size());
  for (int s : dims) {
    for (int64_t start = 0; start < total; ++start) {
      if ((start / stride) % s != 0) continue;  // first element of a line
      std::vector<Cplx> line(s);
      for (int k = 0; k < s; ++k) line[k] = x[start + k * stride];
      line = DirectDft(line, sign);
      for (int k = 0; k < s; ++k) x[start + k * stride] = line[k];
    }
    stride *= s;
  }
  return x;
}

TEST(FourNTest, MatchesDirectMultiDimensionalDft) {
  const std::vector<std::vector<int>> shapes = {{8}, {4, 8}, {8, 2}, {2, 4, 2}, {1, 4}, {16, 16}};
  for (const auto& dims : shapes) {
    int total = 1;
    for (int s : dims) total *= s;
    for (int sign : {+1, -1}) {
      const auto values = RandomSamples(2 * total, total + sign + 50);
      auto d = OneBased(values);
      std::vector<int> nn = {0};
      nn.insert(nn.end(), dims.begin(), dims.end());
      FourN(d.data(), nn.data(), static_cast<int>(dims.size()), sign);
      EXPECT_EQ(d[0], kSentinel);
      EXPECT_EQ(d[2 * total + 1], kSentinel);
      const auto want = DirectDftN(ComplexFromOneBased(OneBased(values), total), dims, sign);
      EXPECT_LT(RelativeL2(ComplexFromOneBased(d, total), want), FftTolerance(total))
          << "dims=" << dims.size() << " total=" << total << " sign=" << sign;
    }
  }
}

TEST(FourNTest, OneDimensionEqualsFour1) {
  const int nn = 128;
  auto a = OneBased(RandomSamples(2 * nn, 5));
  auto b = a;
  const int dims[] = {0, nn};
  FourN(a.data(), dims, 1, -1);
  Four1(b.data(), nn, -1);
  EXPECT_TRUE(SameBits(a, b));
}

// ---------------------------------------------------------------------------
// FFTJ, FFT8, FFTM, FFTCooly

TEST(FFTJTest, MatchesScaledDirectDft) {
  for (int n = 1; n <= 2048; n *= 2) {
    const auto re0 = RandomSamples(n, 500 + n);
    const auto im0 = RandomSamples(n, 600 + n);
    auto re = re0, im = im0;
    FFTJ(n, re.data(), im.data());
    std::vector<Cplx> x(n), got(n);
    for (int i = 0; i < n; ++i) x[i] = Cplx(re0[i], im0[i]);
    auto want = DirectDft(x, -1);
    for (auto& w : want) w /= n;
    for (int i = 0; i < n; ++i) got[i] = Cplx(re[i], im[i]);
    EXPECT_LT(RelativeL2(got, want), FftTolerance(n)) << n;
  }
}

TEST(FFTJTest, ImpulseAndCosine) {
  const int n = 64;
  std::vector<float> re(n, 0.0f), im(n, 0.0f);
  re[0] = 1.0f;
  FFTJ(n, re.data(), im.data());
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(re[i], 1.0f / n);
    EXPECT_EQ(im[i], 0.0f);
  }
  for (int k = 0; k < n; ++k) {
    re[k] = static_cast<float>(std::cos(2 * M_PI * k * 3 / n));
    im[k] = 0.0f;
  }
  FFTJ(n, re.data(), im.data());
  for (int i = 0; i < n; ++i) {
    const float want = (i == 3 || i == n - 3) ? 0.5f : 0.0f;
    EXPECT_NEAR(re[i], want, 1e-6) << i;
    EXPECT_NEAR(im[i], 0.0f, 1e-6) << i;
  }
}

TEST(FFTJTest, FFT8AndFFTMCarryTheSameTransform) {
  const int n = 512;
  const auto re0 = RandomSamples(n, 1);
  const auto im0 = RandomSamples(n, 2);
  auto re = re0, im = im0;
  FFTJ(n, re.data(), im.data());
  for (auto* f : {&FFT8, &FFTM}) {
    auto r = re0, i = im0;
    f(n, r.data(), i.data());
    EXPECT_TRUE(SameBits(r, re));
    EXPECT_TRUE(SameBits(i, im));
  }
}

TEST(FFTJTest, BitIdenticalToTextbookLoopOrder) {
  for (int n : {1, 2, 4, 8, 64, 2048, 16384}) {
    auto re = RandomSamples(n, n + 3), im = RandomSamples(n, n + 4);
    auto re2 = re, im2 = im;
    FFTJ(n, re.data(), im.data());
    literal::FFTJ(n, re2.data(), im2.data());
    EXPECT_TRUE(SameBits(re, re2) && SameBits(im, im2)) << n;
  }
}

TEST(FFTCoolyTest, BitIdenticalToTextbookLoopOrder) {
  for (int n : {1, 2, 8, 64, 2048, 16384}) {
    for (int sign : {1, -1}) {
      auto re = OneBased(RandomSamples(n, n + 5)), im = OneBased(RandomSamples(n, n + 6));
      auto re2 = re, im2 = im;
      FFTCooly(n, re.data(), im.data(), sign);
      literal::FFTCooly(n, re2.data(), im2.data(), sign);
      EXPECT_TRUE(SameBits(re, re2) && SameBits(im, im2)) << n << " " << sign;
    }
  }
}

TEST(FFTCoolyTest, MatchesDirectDftWithSignScaling) {
  for (int n = 1; n <= 1024; n *= 2) {
    for (int sign : {+1, -1}) {
      const auto re0 = RandomSamples(n, 700 + n);
      const auto im0 = RandomSamples(n, 800 + n);
      auto re = OneBased(re0), im = OneBased(im0);
      FFTCooly(n, re.data(), im.data(), sign);
      EXPECT_EQ(re[0], kSentinel);
      EXPECT_EQ(im[n + 1], kSentinel);
      std::vector<Cplx> x(n), got(n);
      for (int i = 0; i < n; ++i) x[i] = Cplx(re0[i], im0[i]);
      auto want = DirectDft(x, sign);
      for (auto& w : want) w = sign >= 0 ? w / double(n) : w * double(n);
      for (int i = 0; i < n; ++i) got[i] = Cplx(re[i + 1], im[i + 1]);
      // The twiddle factors are 32-bit values, so allow a little more.
      EXPECT_LT(RelativeL2(got, want), 2 * FftTolerance(n)) << n << " " << sign;
    }
  }
}

TEST(FFTCoolyTest, ForwardThenInverseGivesCountTimesData) {
  const int n = 128;
  const auto re0 = RandomSamples(n, 11);
  const auto im0 = RandomSamples(n, 12);
  auto re = OneBased(re0), im = OneBased(im0);
  FFTCooly(n, re.data(), im.data(), +1);
  FFTCooly(n, re.data(), im.data(), -1);
  for (int i = 0; i < n; ++i) {
    EXPECT_NEAR(re[i + 1], n * re0[i], 1e-4 * n);
    EXPECT_NEAR(im[i + 1], n * im0[i], 1e-4 * n);
  }
}

// ---------------------------------------------------------------------------
// Dft

TEST(DftTest, AddsScaledDirectTransformOfRealSamples) {
  for (int n : {1, 2, 5, 16, 33}) {
    const auto x = RandomSamples(2 * n, 900 + n);
    std::vector<float> re(n + 1, 0.0f), im(n + 1, 0.0f);
    re[n] = im[n] = kSentinel;
    Dft(n, x.data(), re.data(), im.data());
    EXPECT_EQ(re[n], kSentinel);
    EXPECT_EQ(im[n], kSentinel);
    auto want = DirectDft(std::vector<Cplx>(x.begin(), x.end()), -1, n);
    for (auto& w : want) w /= n;
    std::vector<Cplx> got(n);
    for (int k = 0; k < n; ++k) got[k] = Cplx(re[k], im[k]);
    // Angles and phases are 32-bit values and the sums run in 32 bits.
    EXPECT_LT(RelativeL2(got, want), 1e-5 * (1 + n / 4.0)) << n;
  }
}

TEST(DftTest, SecondCallDoublesTheResult) {
  const int n = 8;
  const auto x = RandomSamples(2 * n, 4);
  std::vector<float> re1(n, 0.0f), im1(n, 0.0f);
  Dft(n, x.data(), re1.data(), im1.data());
  auto re2 = re1, im2 = im1;
  Dft(n, x.data(), re2.data(), im2.data());
  for (int k = 0; k < n; ++k) {
    EXPECT_NEAR(re2[k], 2 * re1[k], 1e-6);
    EXPECT_NEAR(im2[k], 2 * im1[k], 1e-6);
  }
}

// ---------------------------------------------------------------------------
// Input the transforms cannot run on leaves the arrays as they were.

TEST(TransformInputTest, InvalidCountsAndSignsChangeNothing) {
  const auto orig = OneBased(RandomSamples(48, 21));
  auto check = [&](auto run, const char* what) {
    auto a = orig, b = orig;
    run(a.data(), b.data());
    EXPECT_TRUE(SameBits(a, orig)) << what;
    EXPECT_TRUE(SameBits(b, orig)) << what;
  };
  for (int n : {0, -4, 3, 6, 12}) {
    check([&](float* a, float*) { Four1(a, n, 1); }, "Four1");
    check([&](float* a, float*) { FFTReal(a, n, 1); }, "FFTReal");
    check([&](float* a, float* b) { FFTJ(n, a, b); }, "FFTJ");
    check([&](float* a, float* b) { FFTCooly(n, a, b, 1); }, "FFTCooly");
    check(
        [&](float* a, float*) {
          const int dims[] = {0, 4, n};
          FourN(a, dims, 2, 1);
        },
        "FourN");
  }
  check([&](float* a, float*) { Four1(a, 8, 0); }, "Four1 sign 0");
  check(
      [&](float* a, float*) {
        const int dims[] = {0, 4};
        FourN(a, dims, 1, 0);
      },
      "FourN sign 0");
  check([&](float* a, float*) { FourN(a, nullptr, 1, 1); }, "FourN no sizes");
  check(
      [&](float* a, float*) {
        const int dims[] = {0, 4};
        FourN(a, dims, 0, 1);
      },
      "FourN ndim 0");
  check([&](float* a, float* b) { Dft(0, a, b, b); }, "Dft n 0");
}

TEST(TransformInputTest, NullArraysAreIgnored) {
  float buf[20] = {};
  Four1(nullptr, 8, 1);
  FFTReal(nullptr, 8, 1);
  FFTtwo(nullptr, buf, buf, buf, 4);
  FFTJ(8, nullptr, buf);
  FFTCooly(8, buf, nullptr, 1);
  Dft(4, nullptr, buf, buf);
  const int dims[] = {0, 4};
  FourN(nullptr, dims, 1, 1);
  for (float v : buf) EXPECT_EQ(v, 0.0f);
}

}  // namespace
}  // namespace vandrel
