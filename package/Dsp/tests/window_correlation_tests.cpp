#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "DftReference.h"
#include "vandrel/Dsp.h"

namespace vandrel {
namespace {

using testref::RandomSamples;

// Window codes as the analysis components number them.
enum { kRect, kHanning, kHamming, kFlatTop, kBartlet, kBlackman, kExponent };

// ---------------------------------------------------------------------------
// Windows

TEST(WindowSignalTest, WeightsOfOnesTable) {
  struct Case {
    int window;
    int n;
    std::vector<double> want;
  };
  const double pi = M_PI;
  const std::vector<Case> cases = {
      {kRect, 4, {1, 1, 1, 1}},
      {7, 4, {1, 1, 1, 1}},
      {-1, 4, {1, 1, 1, 1}},
      {kHanning, 4, {0, 0.5, 1, 0.5}},
      {kBartlet, 4, {0, 0.5, 1, 0.5}},
      {kBartlet, 5, {0, 0.4, 0.8, 0.8, 0.4}},
      {kExponent, 3, {1, 0.1, 0.01}},
      {kExponent, 1, {1}},  // a single sample keeps its weight 1
      {kHamming, 4, {0.08, 0.54, 1.0, 0.54}},
      {kBlackman, 4, {0.42 - 0.5 + 0.08, 0.42 - 0.08, 0.42 + 0.5 + 0.08, 0.42 - 0.08}},
      {kFlatTop,
       4,
       {0.2810639 - 0.5208972 + 0.1980399, 0.2810639 - 0.1980399, 0.2810639 + 0.5208972 + 0.1980399,
        0.2810639 - 0.1980399}},
      {kHanning,
       8,
       {0, 0.5 * (1 - std::cos(pi / 4)), 0.5, 0.5 * (1 + std::cos(pi / 4)), 1,
        0.5 * (1 + std::cos(pi / 4)), 0.5, 0.5 * (1 - std::cos(pi / 4))}},
  };
  for (const auto& c : cases) {
    std::vector<float> d(c.n + 1, 1.0f);
    d[c.n] = 77.0f;
    WindowSignal(c.window, c.n, d.data());
    for (int i = 0; i < c.n; ++i)
      EXPECT_NEAR(d[i], c.want[i], 1e-7) << "window " << c.window << " i " << i;
    EXPECT_EQ(d[c.n], 77.0f) << "window " << c.window;
  }
}

TEST(WindowSignalTest, ProductIsRoundedOnceFromDoubleWeight) {
  const int n = 16;
  auto d = RandomSamples(n, 31);
  const auto x = d;
  WindowSignal(kHanning, n, d.data());
  for (int i = 0; i < n; ++i) {
    const double w = 0.5 * (1.0 - std::cos(2.0 * M_PI * i / n));
    EXPECT_EQ(d[i], static_cast<float>(w * x[i])) << i;
  }
}

TEST(WindowScaleTest, FactorTable) {
  struct Case {
    int window;
    float factor;
  };
  const std::vector<Case> cases = {
      {kRect, 1.0f},           {kHanning, 2.0f}, {kHamming, 1.8518518f},
      {kFlatTop, 3.5579097f},  {kBartlet, 2.0f}, {kBlackman, 2.3809524f},
      {kExponent, 2.5583262f}, {7, 1.0f},        {-3, 1.0f},
  };
  for (const auto& c : cases) {
    std::vector<float> d = {1.0f, -0.5f, 9.0f};
    WindowScale(2, c.window, d.data());
    EXPECT_EQ(d[0], c.factor) << c.window;
    EXPECT_EQ(d[1], -0.5f * c.factor) << c.window;
    EXPECT_EQ(d[2], 9.0f) << c.window;
  }
  // The factors are the nearest 32-bit values to the reciprocal mean weights.
  EXPECT_EQ(1.8518518f, static_cast<float>(1 / 0.54));
  EXPECT_EQ(3.5579097f, static_cast<float>(1 / 0.2810639));
  EXPECT_EQ(2.3809524f, static_cast<float>(1 / 0.42));
}

TEST(WindowScaleTest, FactorRestoresMeanWeight) {
  // For the periodic windows the factor is the reciprocal mean weight.
  const int n = 1024;
  for (int w : {kHanning, kHamming, kFlatTop, kBartlet, kBlackman}) {
    std::vector<float> d(n, 1.0f);
    WindowSignal(w, n, d.data());
    WindowScale(n, w, d.data());
    double mean = 0;
    for (float v : d) mean += v;
    EXPECT_NEAR(mean / n, 1.0, 1e-6) << w;
  }
}

TEST(WindowScaleTest, HanningSinusoidKeepsItsAmplitudeAtItsBin) {
  const int n = 256;  // samples
  const int bin = 10;
  const double amplitude = 3.0;
  std::vector<float> d(n + 1);
  for (int i = 0; i < n; ++i)
    d[i] = static_cast<float>(amplitude * std::sin(2 * M_PI * bin * i / n + 0.3));
  WindowSignal(kHanning, n, d.data());
  PrepareFour1Data(n, d.data(), d.data());
  FFTReal(d.data(), n / 2, 1);
  std::vector<float> re(n / 2), im(n / 2);
  ArrangeFour1Data(n / 2, d.data(), re.data(), im.data());
  AmpltSpectrum(n / 2, re.data(), im.data());
  // |F(k)| / (n/2) is the amplitude of a sinusoid on bin k.
  WindowScale(n / 2, kHanning, re.data());
  EXPECT_NEAR(re[bin], amplitude, 1e-4);
  EXPECT_NEAR(re[bin + 1], amplitude / 2, 1e-4);  // the Hanning neighbour
}

TEST(RemoveDCTest, SubtractsTheConstant) {
  std::vector<float> d = {1.0f, 2.5f, -1.0f, 8.0f};
  RemoveDC(3, 1.5f, d.data());
  EXPECT_EQ(d, (std::vector<float>{-0.5f, 1.0f, -2.5f, 8.0f}));
}

// ---------------------------------------------------------------------------
// Rotate

TEST(RotateTest, Table) {
  struct Case {
    int shift;
    std::vector<float> want;
  };
  const std::vector<Case> cases = {
      {2, {4, 5, 1, 2, 3}},  {0, {1, 2, 3, 4, 5}}, {5, {1, 2, 3, 4, 5}}, {1, {5, 1, 2, 3, 4}},
      {4, {2, 3, 4, 5, 1}},  {6, {1, 2, 3, 4, 5}},  // outside 0 .. n: nothing moves
      {-1, {1, 2, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    std::vector<float> d = {1, 2, 3, 4, 5, 99};
    Rotate(5, c.shift, d.data());
    EXPECT_EQ(std::vector<float>(d.begin(), d.begin() + 5), c.want) << c.shift;
    EXPECT_EQ(d[5], 99.0f);
  }
  Rotate(0, 0, nullptr);
  Rotate(4, 1, nullptr);
}

// ---------------------------------------------------------------------------
// Correlation

// The definition, loop for loop.
void LiteralAutoCorrelation2(int n, const float* x, float* r) {
  for (int k = 0; k <= 2 * n - 1; ++k) {
    for (int j = 0; j <= n - 1; ++j) {
      const int m = k + j - (n - 1);
      const float v = (m >= 0 && m <= n - 1) ? x[m] : 0.0f;
      r[k] = static_cast<float>(static_cast<double>(r[k]) + static_cast<double>(x[j]) * v);
    }
  }
}

TEST(CorrelationTest, SmallCases) {
  const std::vector<float> x = {1, 2, 3};
  std::vector<float> r(7, 0.0f);
  r[6] = 42.0f;
  AutoCorrelation2(3, x.data(), r.data());
  EXPECT_EQ(r, (std::vector<float>{3, 8, 14, 8, 3, 0, 42}));
  std::vector<float> r1(6, 0.0f);
  r1[5] = 42.0f;
  AutoCorrelation(3, x.data(), r1.data());
  EXPECT_EQ(r1, (std::vector<float>{1, 4, 10, 12, 9, 42}));
  // Both add to what r holds.
  AutoCorrelation(3, x.data(), r1.data());
  EXPECT_EQ(r1, (std::vector<float>{2, 8, 20, 24, 18, 42}));
}

TEST(CorrelationTest, AutoCorrelation2BitIdenticalToDefinition) {
  // Sizes around the lag blocking, with cleared and with non-zero starting
  // sums (the cleared case shares the work of mirrored lags).
  for (int n : {1, 2, 31, 127, 128, 129, 200, 257, 300}) {
    const auto x = RandomSamples(n, 40 + n);
    for (bool cleared : {true, false}) {
      auto start = cleared ? std::vector<float>(2 * n, 0.0f) : RandomSamples(2 * n, 90 + n);
      auto r = start, want = start;
      AutoCorrelation2(n, x.data(), r.data());
      LiteralAutoCorrelation2(n, x.data(), want.data());
      EXPECT_EQ(0, std::memcmp(r.data(), want.data(), r.size() * sizeof(float)))
          << n << (cleared ? " cleared" : " preset");
    }
  }
}

TEST(CorrelationTest, AutoCorrelation2ZeroTermsAsDefined) {
  // -0 sums become +0 through the products with the missing samples, and an
  // infinite sample turns every sum it meets with a missing partner into NaN.
  const int n = 3;
  std::vector<float> x = {1, -2, 0.5f};
  std::vector<float> r(2 * n, -0.0f), want(2 * n, -0.0f);
  AutoCorrelation2(n, x.data(), r.data());
  LiteralAutoCorrelation2(n, x.data(), want.data());
  EXPECT_EQ(0, std::memcmp(r.data(), want.data(), r.size() * sizeof(float)));
  x[1] = INFINITY;
  std::vector<float> r2(2 * n, 0.0f), want2(2 * n, 0.0f);
  AutoCorrelation2(n, x.data(), r2.data());
  LiteralAutoCorrelation2(n, x.data(), want2.data());
  for (int k = 0; k < 2 * n; ++k) {
    EXPECT_EQ(std::isnan(r2[k]), std::isnan(want2[k])) << k;
    if (!std::isnan(want2[k])) {
      EXPECT_EQ(r2[k], want2[k]) << k;
    }
  }
}

TEST(CorrelationTest, AutoCorrelationMatchesDoubleSums) {
  const int n = 50;
  const auto x = RandomSamples(n, 8);
  std::vector<float> r(2 * n - 1, 0.0f);
  AutoCorrelation(n, x.data(), r.data());
  for (int k = 0; k < 2 * n - 1; ++k) {
    double s = 0;
    for (int i = 0; i < n; ++i)
      if (k - i >= 0 && k - i < n) s += double(x[i]) * x[k - i];
    EXPECT_NEAR(r[k], s, 1e-5) << k;
  }
}

TEST(CorrelationTest, InvalidInputChangesNothing) {
  std::vector<float> r(8, 1.0f);
  const std::vector<float> x(4, 2.0f);
  AutoCorrelation(0, x.data(), r.data());
  AutoCorrelation2(-1, x.data(), r.data());
  AutoCorrelation(4, nullptr, r.data());
  AutoCorrelation2(4, x.data(), nullptr);
  EXPECT_EQ(r, std::vector<float>(8, 1.0f));
}

}  // namespace
}  // namespace vandrel
