#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "vandrel/Dsp.h"
#include "vandrel/platform/Exceptions.h"

namespace vandrel {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// ---------------------------------------------------------------------------
// Array routines

TEST(ArrayRoutinesTest, SetCopyScaleAndRemoveLeaveOtherElements) {
  std::vector<float> d = {1, 2, 3, 4};
  SetToZero(3, d.data());
  EXPECT_EQ(d, (std::vector<float>{0, 0, 0, 4}));
  EXPECT_FALSE(std::signbit(d[0]));

  const std::vector<float> src = {kNaN, -0.0f, 7.5f};
  std::vector<float> dst(4, 9.0f);
  CopyDataAll(3, src.data(), dst.data());
  EXPECT_TRUE(std::isnan(dst[0]));
  EXPECT_TRUE(std::signbit(dst[1]));
  EXPECT_EQ(dst[2], 7.5f);
  EXPECT_EQ(dst[3], 9.0f);

  // Overlapping ranges copy in ascending order, element by element.
  std::vector<float> up = {1, 2, 3, 4};
  CopyDataAll(3, up.data(), up.data() + 1);
  EXPECT_EQ(up, (std::vector<float>{1, 1, 1, 1}));
  std::vector<float> down = {1, 2, 3, 4};
  CopyDataAll(3, down.data() + 1, down.data());
  EXPECT_EQ(down, (std::vector<float>{2, 3, 4, 4}));

  std::vector<float> s = {1.0f, -2.0f, 0.1f, 5.0f};
  Scale(3, 3.0f, s.data());
  EXPECT_EQ(s, (std::vector<float>{3.0f, -6.0f, 3.0f * 0.1f, 5.0f}));
}

TEST(ArrayRoutinesTest, AddAndSubtractAccumulateInDouble) {
  const std::vector<float> a = {1.0f, 1e-8f, -3.0f};
  std::vector<double> b = {1.0, 1.0, 0.5, 42.0};
  AddArray(3, a.data(), b.data());
  EXPECT_EQ(b[0], 2.0);
  EXPECT_EQ(b[1], 1.0 + static_cast<double>(1e-8f));  // below float resolution of 1
  EXPECT_EQ(b[2], -2.5);
  EXPECT_EQ(b[3], 42.0);
  SubstractArray(3, a.data(), b.data());
  EXPECT_EQ(b[0], 1.0);
  EXPECT_EQ(b[2], 0.5);
}

TEST(ArrayRoutinesTest, RightShiftTable) {
  struct Case {
    int shift;
    std::vector<float> want;
  };
  const std::vector<Case> cases = {
      {2, {1, 2, 1, 2, 3}}, {0, {1, 2, 3, 4, 5}}, {1, {1, 1, 2, 3, 4}},
      {4, {1, 2, 3, 4, 1}}, {5, {1, 2, 3, 4, 5}}, {-1, {1, 2, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    std::vector<float> d = {1, 2, 3, 4, 5, 99};
    RightShift(5, c.shift, d.data());
    EXPECT_EQ(std::vector<float>(d.begin(), d.begin() + 5), c.want) << "shift " << c.shift;
    EXPECT_EQ(d[5], 99.0f);
  }
}

TEST(ArrayRoutinesTest, DemultiplexTable) {
  const std::vector<int16_t> src = {10, 20, 30, 40, 50, 60, -32768, 32767, 0};
  struct Case {
    int channel, stride, n;
    std::vector<float> want;
  };
  const std::vector<Case> cases = {
      {2, 3, 2, {20, 50, -1, -1}},     {1, 1, 3, {10, 20, 30, -1}},
      {1, 2, 4, {10, 30, 50, -32768}}, {2, 1, 8, {20, 30, 40, 50}},  // first four shown
      {0, 3, 2, {-1, -1, -1, -1}},                                   // no channel 0
      {1, 0, 2, {-1, -1, -1, -1}},                                   // no stride 0
      {1, 3, 0, {-1, -1, -1, -1}},
  };
  for (const auto& c : cases) {
    std::vector<float> dst(8, -1.0f);
    Demultiplex(c.channel, c.stride, c.n, src.data(), dst.data());
    EXPECT_EQ(std::vector<float>(dst.begin(), dst.begin() + 4), c.want)
        << c.channel << "/" << c.stride << "/" << c.n;
  }
  std::vector<float> dst(3);
  Demultiplex(1, 3, 3, src.data(), dst.data());
  EXPECT_EQ(dst, (std::vector<float>{10, 40, -32768}));
}

// ---------------------------------------------------------------------------
// Statistics

TEST(StatisticsTest, MeanValueTable) {
  struct Case {
    std::vector<float> data;
    int n;
    float want;
  };
  const std::vector<Case> cases = {
      {{1, 2, 3, 4}, 4, 2.5f},
      {{}, 0, 0.0f},
      {{5}, -3, 0.0f},
      {{-7}, 1, -7.0f},
      {{3e38f, 3e38f}, 2, 0.0f},  // the 32-bit sum overflows
      {{1, kNaN}, 2, 0.0f},
      // The running sum is 32-bit: 1 + 2^-24 is lost, then 2^-24 counts.
      {{1.0f, 0x1p-24f, -1.0f, 0x1p-24f}, 4, 0x1p-26f},
  };
  for (const auto& c : cases) EXPECT_EQ(MeanValue(c.n, c.data.data()), c.want);
  EXPECT_EQ(MeanValue(4, nullptr), 0.0f);
}

TEST(StatisticsTest, StdDevValueTable) {
  struct Case {
    std::vector<float> data;
    float mean;
    float want;
  };
  const std::vector<Case> cases = {
      {{1, 2, 3, 4}, 2.5f, static_cast<float>(std::sqrt(5.0 / 3.0))},
      {{5}, 5.0f, 0.0f},  // n = 1 divides by zero
      {{}, 0.0f, 0.0f},   // n = 0
      {{2, 2, 2}, 2.0f, 0.0f},
      {{1, 3}, 0.0f, static_cast<float>(std::sqrt(10.0))},  // the mean is not recomputed
      {{3e38f, -3e38f}, 0.0f, 0.0f},                        // the squared sum overflows
  };
  for (const auto& c : cases) {
    const int n = static_cast<int>(c.data.size());
    EXPECT_EQ(StdDevValue(n, c.mean, c.data.data()), c.want) << n;
  }
  EXPECT_FLOAT_EQ(StdDevValue(4, 2.5f, std::vector<float>{1, 2, 3, 4}.data()), 1.2909944f);
}

TEST(StatisticsTest, CalcRmsTable) {
  struct Case {
    std::vector<float> data;
    float want;
  };
  const std::vector<Case> cases = {
      {{3, -3, 3, -3}, 3.0f},
      {{2, 2, 2, 2}, 2.0f},
      {{-5}, 5.0f},
      {{3, 4}, static_cast<float>(std::sqrt(12.5))},
      {{}, 0.0f},  // no samples
  };
  for (const auto& c : cases) {
    float rms = -1;
    CalcRms(static_cast<int>(c.data.size()), c.data.data(), rms);
    EXPECT_EQ(rms, c.want);
  }
  float rms = -1;
  CalcRms(-2, nullptr, rms);
  EXPECT_EQ(rms, 0.0f);
}

TEST(StatisticsTest, ExtremesTable) {
  struct Case {
    std::vector<float> data;
    float max, maxA, minA, logMin;
  };
  const std::vector<Case> cases = {
      {{-5, 3}, 5, 3, -5, 1},
      {{-5, -3}, 5, -3, -5, 1},
      {{2, 7}, 7, 7, 2, 1},
      {{0, 2, 0.5f, -1}, 2, 2, -1, 0.5f},
      {{0, 3}, 3, 3, 0, 1},
      {{0.25f, kNaN, 0.125f}, 0.25f, 0.25f, 0.125f, 0.125f},
      {{-kInf, 1e-30f}, kInf, 1e-30f, -kInf, 1e-30f},
  };
  for (const auto& c : cases) {
    const int n = static_cast<int>(c.data.size());
    float v;
    FindMax(n, c.data.data(), v);
    EXPECT_EQ(v, c.max);
    FindMaxA(n, c.data.data(), v);
    EXPECT_EQ(v, c.maxA);
    FindMinA(n, c.data.data(), v);
    EXPECT_EQ(v, c.minA);
    FindLogMin(n, c.data.data(), v);
    EXPECT_EQ(v, c.logMin);
  }
}

TEST(StatisticsTest, ExtremesOfNoElements) {
  float v = -1;
  FindMax(0, nullptr, v);
  EXPECT_EQ(v, 0.0f);
  v = -1;
  FindMaxA(0, nullptr, v);
  EXPECT_EQ(v, 0.0f);
  v = -1;
  FindMinA(-3, nullptr, v);
  EXPECT_EQ(v, 0.0f);
  FindLogMin(0, nullptr, v);
  EXPECT_EQ(v, 1.0f);
}

TEST(StatisticsTest, AssignLogMinReplacesNonPositive) {
  std::vector<float> d = {0, 2, -1, kNaN, -0.0f, 1e-40f, 7};
  AssignLogMin(6, d.data(), 0.5f);
  EXPECT_EQ(d, (std::vector<float>{0.5f, 2, 0.5f, 0.5f, 0.5f, 1e-40f, 7}));
}

// ---------------------------------------------------------------------------
// Level conversions

TEST(LevelConversionTest, Table) {
  using Fn = void (*)(int, float*);
  struct Case {
    Fn fn;
    const char* name;
    float in, want;
  };
  const std::vector<Case> cases = {
      {&AmpltToRms, "AmpltToRms", 1.0f, 0.70710677f},
      {&AmpltToRms, "AmpltToRms", 1.4142135f, 1.0f},
      {&RmsToAmplt, "RmsToAmplt", 1.0f, 1.4142135f},
      {&RmsToAmplt, "RmsToAmplt", -2.0f, -2.828427f},
      {&PowerToRms, "PowerToRms", 2.0f, 1.0f},
      {&PowerToRms, "PowerToRms", 8.0f, 2.0f},
      {&RmsToPower, "RmsToPower", 1.0f, 2.0f},
      {&RmsToPower, "RmsToPower", -3.0f, 18.0f},
      {&AmpltToPower, "AmpltToPower", -3.0f, 9.0f},
      {&AmpltToPower, "AmpltToPower", 0.5f, 0.25f},
      {&PowerToAmplt, "PowerToAmplt", 9.0f, 3.0f},
      {&PowerToAmplt, "PowerToAmplt", 2.0f, 1.4142135f},
  };
  for (const auto& c : cases) {
    float d[2] = {c.in, 123.0f};
    c.fn(1, d);
    EXPECT_EQ(d[0], c.want) << c.name << "(" << c.in << ")";
    EXPECT_EQ(d[1], 123.0f) << c.name;
    c.fn(0, d);
    c.fn(3, nullptr);
  }
}

TEST(LevelConversionTest, RoundTripsAgreeWithTheLevelVocabulary) {
  // amplitude 4: RMS 4/sqrt2, power 16 = 2 RMS^2.
  std::vector<float> d = {4.0f};
  AmpltToRms(1, d.data());
  RmsToPower(1, d.data());
  EXPECT_FLOAT_EQ(d[0], 16.0f);
  PowerToAmplt(1, d.data());
  EXPECT_FLOAT_EQ(d[0], 4.0f);
}

TEST(SpectrumToDBTest, Table) {
  struct Case {
    uint8_t mode;
    float span, reference;
    std::vector<float> in, want;
  };
  const std::vector<Case> cases = {
      {0, 60, 10, {10, 1, 0.001f, 0}, {0, -20, -60, -60}},
      {1, 60, 10, {10, 1, 0.001f, 0}, {20, 0, -40, -40}},
      {7, 60, 10, {10, 1, 0.001f, 0}, {20, 0, -40, -40}},  // any non-zero mode
      {0, 120, 1, {1, 0.001f, 1e-7f, 0}, {0, -60, -120, -120}},
      {0, 90, 2, {2, 0.2f, 20}, {0, -20, 20}},
      // An all-zero spectrum relative to its own maximum 0: everything at -span.
      {0, 60, 0, {0, 0}, {-60, -60}},
  };
  for (const auto& c : cases) {
    auto d = c.in;
    d.push_back(55.0f);
    SpectrumToDB(static_cast<int>(c.in.size()), d.data(), c.span, c.reference, c.mode);
    for (size_t i = 0; i < c.want.size(); ++i)
      EXPECT_NEAR(d[i], c.want[i], 2e-5)
          << "mode " << int(c.mode) << " ref " << c.reference << " value " << c.in[i];
    EXPECT_EQ(d.back(), 55.0f);
  }
}

TEST(SpectrumToDBTest, ValuesWithoutALogarithmRaise) {
  struct Case {
    uint8_t mode;
    float reference;
    std::vector<float> in;
    size_t converted;  // values converted before the failing one
    bool zeroDivide;   // EZeroDivide, else EInvalidOp
  };
  const Case cases[] = {
      {1, 0, {1, 2}, 0, true},  // absolute levels need log10(reference)
      {1, -1, {1, 2}, 0, false},     {1, 10, {10, -5, 1}, 1, false},  // log10 of a negative value
      {1, 10, {10, kNaN}, 1, false}, {0, 10, {10, 0, -5}, 2, false},  // negative ratio
      {0, 0, {0, 3}, 1, true},  // non-zero value over a zero reference
  };
  for (const Case& c : cases) {
    auto d = c.in;
    try {
      SpectrumToDB(static_cast<int>(d.size()), d.data(), 60, c.reference, c.mode);
      ADD_FAILURE() << "no error, mode " << int(c.mode) << " ref " << c.reference;
    } catch (const EZeroDivide&) {
      EXPECT_TRUE(c.zeroDivide);
    } catch (const EInvalidOp&) {
      EXPECT_FALSE(c.zeroDivide);
    }
    for (size_t i = c.converted; i < d.size(); ++i)
      EXPECT_TRUE(d[i] == c.in[i] || (std::isnan(d[i]) && std::isnan(c.in[i])))
          << "unconverted " << i;
    if (c.converted > 0) {
      EXPECT_NE(d[0], c.in[0]);
    }
  }
}

TEST(SpectrumToDBTest, LevelsAreRoundedTo32Bits) {
  std::vector<float> d = {3.0f};
  SpectrumToDB(1, d.data(), 60, 1, 0);
  const float dec = static_cast<float>(std::log10(3.0));
  EXPECT_EQ(d[0], static_cast<float>(20.0 * dec));
}

}  // namespace
}  // namespace vandrel
