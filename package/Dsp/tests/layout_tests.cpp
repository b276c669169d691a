#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "vandrel/Dsp.h"

namespace vandrel {
namespace {

TEST(LayoutTest, PrepareFour1DataShiftsInPlace) {
  std::vector<float> d = {1, 2, 3, 4, 99};
  PrepareFour1Data(4, d.data(), d.data());
  EXPECT_EQ(d, (std::vector<float>{1, 1, 2, 3, 4}));
  std::vector<float> dst(5, -1);
  const std::vector<float> src = {5, 6};
  PrepareFour1Data(2, src.data(), dst.data());
  EXPECT_EQ(dst, (std::vector<float>{-1, 5, 6, -1, -1}));
}

TEST(LayoutTest, CopyDataOddFillsRealParts) {
  const std::vector<float> src = {1, 2, 3};
  std::vector<float> dst(8, 0);
  CopyDataOdd(3, src.data(), dst.data());
  EXPECT_EQ(dst, (std::vector<float>{0, 1, 0, 2, 0, 3, 0, 0}));
}

TEST(LayoutTest, ArrangeAndSplitTable) {
  const std::vector<float> src = {9, 2, 4, 6, 8, 10, 12};
  std::vector<float> re(4, -1), im(4, -1);
  ArrangeFour1Data(3, src.data(), re.data(), im.data());
  EXPECT_EQ(re, (std::vector<float>{2.0f / 3, 6.0f / 3, 10.0f / 3, -1}));
  EXPECT_EQ(im, (std::vector<float>{4.0f / 3, 8.0f / 3, 12.0f / 3, -1}));
  std::fill(re.begin(), re.end(), -1);
  std::fill(im.begin(), im.end(), -1);
  ArrangeFourData(2, src.data(), re.data(), im.data());
  EXPECT_EQ(re, (std::vector<float>{4.5f, 2, -1, -1}));
  EXPECT_EQ(im, (std::vector<float>{1, 3, -1, -1}));
  std::fill(re.begin(), re.end(), -1);
  std::fill(im.begin(), im.end(), -1);
  RealToCmplx(5, src.data(), re.data(), im.data());  // 5 floats: two complex values
  EXPECT_EQ(re, (std::vector<float>{9, 4, -1, -1}));
  EXPECT_EQ(im, (std::vector<float>{2, 6, -1, -1}));
}

TEST(LayoutTest, AmpltSpectrumTable) {
  struct Case {
    float re, im, amplitude, phase;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, 90},
      {-1, 0, 1, 0},
      {0, -1, 1, 90},
      {3, 4, 5, 53.130102f},
      {-1, 1, std::sqrt(2.0f), -45},
      {1, -1, std::sqrt(2.0f), -45},
      {-2, -2, std::sqrt(8.0f), 45},
  };
  for (const auto& c : cases) {
    float re[2] = {c.re, 7}, im[2] = {c.im, 7};
    AmpltSpectrum(1, re, im);
    EXPECT_FLOAT_EQ(re[0], c.amplitude) << c.re << "," << c.im;
    EXPECT_FLOAT_EQ(im[0], c.phase) << c.re << "," << c.im;
    EXPECT_EQ(re[1], 7.0f);
    EXPECT_EQ(im[1], 7.0f);
  }
}

TEST(LayoutTest, FastDataFactorsTable) {
  struct Case {
    int window;
    float factor;
  };
  const std::vector<Case> cases = {{0, 1.0f}, {1, 2.0f}, {2, 1.8518518f}, {3, 3.5579097f},
                                   {4, 1.0f}, {5, 1.0f}, {6, 1.0f},       {-1, 1.0f}};
  for (const auto& c : cases) {
    // Values (3,4), (0,-2), (6,8) over n = 3: amplitudes 5/3, 2/3, 10/3.
    std::vector<float> d = {-99, 3, 4, 0, -2, 6, 8};
    float max = -1;
    FastData(d.data(), 3, c.window, max);
    const std::vector<double> want = {5.0 / 3, 2.0 / 3, 10.0 / 3};
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(d[i], static_cast<float>(want[i] * c.factor)) << c.window << " " << i;
    EXPECT_EQ(max, static_cast<float>(want[2] * c.factor)) << c.window;
    EXPECT_EQ(d[3], 0.0f);  // beyond n untouched
  }
  float max = -1;
  FastData(nullptr, 4, 1, max);
  EXPECT_EQ(max, 0.0f);
}

}  // namespace
}  // namespace vandrel
