#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "vandrel/SignalAnalysis.h"

namespace vandrel {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A spectrum point of n samples over t seconds holding f(time).
template <class F>
void Fill(TSpectrumPoint& point, int n, float t, F f) {
  point.SetLength(n);
  point.SetSampleTime(t);
  float* data = point.TimeSignal()->Data();
  for (int j = 0; j < n; ++j) data[j] = static_cast<float>(f(j * static_cast<double>(t) / n));
}

class SpectrumAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 3 sin(2 pi 50 t) over one second, 1024 samples: line 50 holds amplitude 3.
    Fill(point, 1024, 1.0f, [](double t) { return 3 * std::sin(2 * kPi * 50 * t); });
    analysis.SetMPoint(&point);
  }
  const float* Amplt() const { return point.Spectrum()->Amplt(); }

  TSpectrumPoint point{nullptr};
  TFFTAnalysis analysis{nullptr};
};

TEST_F(SpectrumAnalysisTest, SineAmplitudeAndItsConversions) {
  struct Case {
    TSpectrumType type;
    float scale;
    double expected;
  };
  const Case cases[] = {{atNormal, 1, 3},       {atRMS, 1, 3 / std::sqrt(2.0)},
                        {atPower, 1, 9},        {atNormal, 2, 6},
                        {atReal, 1, 3},         {atRMS, 2, 6 / std::sqrt(2.0)}};
  for (const Case& c : cases) {
    analysis.SetSpectrumType(c.type);
    analysis.SetScaleFactor(c.scale);
    analysis.AnalyzeData();
    EXPECT_NEAR(Amplt()[50], c.expected, 2e-5 * c.expected) << c.type << " x" << c.scale;
    EXPECT_FLOAT_EQ(point.Spectrum()->MaxValue(), Amplt()[50]);
    for (int k : {0, 1, 49, 51, 100, 511}) EXPECT_LT(std::fabs(Amplt()[k]), 1e-4) << k;
    EXPECT_FALSE(analysis.Dirty());
  }
}

TEST_F(SpectrumAnalysisTest, RunLeavesTheTimeSignalAndRecordsItsRange) {
  std::vector<float> before(point.TimeSignal()->Data(), point.TimeSignal()->Data() + 1025);
  analysis.SetTimeWindow(wtHanning);
  analysis.SetDCDump(true);
  analysis.AnalyzeData();
  EXPECT_EQ(std::vector<float>(point.TimeSignal()->Data(), point.TimeSignal()->Data() + 1025), before);
  float mx = before[0], mn = before[0];
  for (int j = 0; j < 1024; ++j) mx = std::max(mx, before[j]), mn = std::min(mn, before[j]);
  EXPECT_EQ(point.TimeSignal()->MaxValue(), mx);
  EXPECT_EQ(point.TimeSignal()->MinValue(), mn);
  EXPECT_NEAR(Amplt()[50], 3, 1e-4) << "Hanning keeps an on-bin amplitude";
}

TEST_F(SpectrumAnalysisTest, DecibelScales) {
  struct Case {
    TLogType type;
    TLogDBSpan span;
    double line50, floor;
  };
  const double rel = 20 * std::log10(3.0);
  const Case cases[] = {{ltAbsolute, ls120, 0, -120},
                        {ltAbsolute, ls60, 0, -60},
                        {ltAbsolute, ls150, 0, -150},
                        {ltRelative, ls120, rel, rel - 120},
                        {ltRelative, ls90, rel, rel - 90}};
  for (const Case& c : cases) {
    analysis.SetLogarithmic(true);
    analysis.SetLogType(c.type);
    analysis.SetLogDBSpan(c.span);
    analysis.AnalyzeData();
    EXPECT_NEAR(Amplt()[50], c.line50, 1e-4);
    EXPECT_NEAR(point.Spectrum()->MaxValue(), c.line50, 1e-4);
    float lowest = 1e9f;
    for (int k = 0; k < 512; ++k) lowest = std::min(lowest, Amplt()[k]);
    EXPECT_GE(lowest, static_cast<float>(c.floor) - 1e-4f);
    EXPECT_NEAR(point.Spectrum()->MinValue(), lowest, 0);
    EXPECT_FALSE(analysis.Dirty());
  }
}

TEST(SpectrumAnalysisConstant, DCDumpDecidesLineZero) {
  for (bool dump : {false, true}) {
    TSpectrumPoint point(nullptr);
    Fill(point, 256, 1.0f, [](double) { return 2.0; });
    TFFTAnalysis analysis(nullptr);
    analysis.SetMPoint(&point);
    analysis.SetDCDump(dump);
    analysis.AnalyzeData();
    EXPECT_FLOAT_EQ(point.Spectrum()->Amplt()[0], dump ? 0.0f : 4.0f);
  }
}

// Runs the analysis once per amplitude of a 10 Hz sine and returns line 10 after each run.
std::vector<float> AverageOverRuns(TFFTAnalysis& analysis, TSpectrumPoint& point,
                                   std::initializer_list<double> amplitudes) {
  std::vector<float> line10;
  for (double a : amplitudes) {
    float* data = point.TimeSignal()->Data();
    for (int j = 0; j < 512; ++j) data[j] = static_cast<float>(a * std::sin(2 * kPi * 10 * j / 512.0));
    analysis.AnalyzeData();
    line10.push_back(point.Spectrum()->Amplt()[10]);
  }
  return line10;
}

class AveragingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    point.SetLength(512);
    point.SetSampleTime(1);
    analysis.SetMPoint(&point);
  }
  TSpectrumPoint point{nullptr};
  TFFTAnalysis analysis{nullptr};
};

TEST_F(AveragingTest, LinearIsTheMeanOfAllRuns) {
  analysis.SetAveraging(avInfiniteLinear);
  auto line = AverageOverRuns(analysis, point, {1, 2, 3});
  EXPECT_NEAR(line[0], 1, 1e-5);
  EXPECT_NEAR(line[1], 1.5, 1e-5);
  EXPECT_NEAR(line[2], 2, 1e-5);
  EXPECT_EQ(analysis.AveragedSpectrum(), 3u);
  analysis.SetAveragedSpectrum(0);  // restart
  line = AverageOverRuns(analysis, point, {5});
  EXPECT_NEAR(line[0], 5, 1e-5);
}

TEST_F(AveragingTest, ExponentialWeighsTheNewestByOneOverDecay) {
  analysis.SetAveraging(avInfiniteExponential);
  analysis.SetExpDecay(5);
  auto line = AverageOverRuns(analysis, point, {1, 6});
  EXPECT_NEAR(line[0], 1, 1e-5);
  EXPECT_NEAR(line[1], 2, 1e-5);
  analysis.SetExpDecay(1);  // follows the newest spectrum
  line = AverageOverRuns(analysis, point, {4});
  EXPECT_NEAR(line[0], 4, 1e-5);
}

TEST_F(AveragingTest, NoneResetsTheCount) {
  analysis.SetAveraging(avInfiniteLinear);
  AverageOverRuns(analysis, point, {1, 2});
  analysis.SetAveraging(avNone);
  auto line = AverageOverRuns(analysis, point, {7});
  EXPECT_EQ(analysis.AveragedSpectrum(), 0u);
  EXPECT_NEAR(line[0], 7, 1e-5);
}

TEST_F(AveragingTest, ScaleAndConversionApplyOnceToTheAverage) {
  analysis.SetAveraging(avInfiniteLinear);
  analysis.SetScaleFactor(2);
  analysis.SetSpectrumType(atPower);
  auto line = AverageOverRuns(analysis, point, {1, 2, 3});
  // Mean amplitudes 1, 1.5, 2, scaled by 2 and squared once.
  EXPECT_NEAR(line[0], 4, 1e-4);
  EXPECT_NEAR(line[1], 9, 1e-4);
  EXPECT_NEAR(line[2], 16, 1e-4);
}

TEST_F(AveragingTest, LogarithmicAveragesStayLinearAndDirty) {
  analysis.SetAveraging(avInfiniteLinear);
  analysis.SetLogarithmic(true);
  auto line = AverageOverRuns(analysis, point, {2});
  EXPECT_NEAR(line[0], 2, 1e-5);
  EXPECT_TRUE(analysis.Dirty());
}

TEST(SpectrumAnalysisSettings, SettersAndDefaults) {
  TFFTAnalysis a(nullptr);
  EXPECT_EQ(a.SpectrumType(), atNormal);
  EXPECT_FALSE(a.DCDump());
  EXPECT_EQ(a.LogType(), ltAbsolute);
  EXPECT_FALSE(a.Logarithmic());
  EXPECT_EQ(a.LogDBSpan(), ls120);
  EXPECT_EQ(a.DBSpan(), 120);
  EXPECT_EQ(a.ScaleFactor(), 1.0f);
  EXPECT_EQ(a.Window(), wtRectangular);
  EXPECT_EQ(a.Averaging(), avNone);
  EXPECT_EQ(a.ExponentialDecay(), 5);
  EXPECT_EQ(a.AveragedSpectrum(), 0u);
  EXPECT_EQ(a.MPoint(), nullptr);
  EXPECT_TRUE(a.AutoCalculate());
  for (int v : {0, -3}) {
    a.SetExpDecay(v);
    EXPECT_EQ(a.ExponentialDecay(), 1);
  }
  const std::pair<TLogDBSpan, int> spans[] = {{ls60, 60}, {ls90, 90}, {ls120, 120}, {ls150, 150}};
  for (auto [span, db] : spans) {
    a.SetLogDBSpan(span);
    EXPECT_EQ(a.DBSpan(), db);
  }
  // Every setter but SetAutoCalculate raises Dirty.
  TSpectrumPoint p(nullptr);
  p.SetLength(8);
  p.SetSampleTime(1);
  a.SetMPoint(&p);
  a.AnalyzeData();
  ASSERT_FALSE(a.Dirty());
  a.SetAutoCalculate(false);
  EXPECT_FALSE(a.Dirty());
  a.SetScaleFactor(1);
  EXPECT_TRUE(a.Dirty());
}

TEST(SpectrumAnalysisSettings, PublishedPropertiesInOrder) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TFFTAnalysis::StaticClassInfo().Properties()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Dirty", "Active", "MPoint", "Window", "SpectrumType",
                                             "LogType", "Logarithmic", "LogDBSpan", "DCDump",
                                             "ScaleFactor", "Averaging", "ExponentialDecay"}));
  TFFTAnalysis a(nullptr);
  for (const TPropInfo* p : TFFTAnalysis::StaticClassInfo().Properties()) {
    const bool alwaysStored = p->Name == "Active" || p->Name == "MPoint" || p->Name == "ScaleFactor";
    if (p->Name == "Dirty")
      EXPECT_FALSE(p->IsStored(a)) << "read-only";
    else
      EXPECT_EQ(p->IsStored(a), alwaysStored) << p->Name << ": a new analysis stores only these";
  }
}

TEST(SpectrumAnalysisInputs, MissingOrInactiveInputsChangeNothing) {
  TSpectrumPoint point(nullptr);
  Fill(point, 64, 1.0f, [](double t) { return std::sin(2 * kPi * 4 * t); });
  point.Spectrum()->Amplt()[4] = -1;
  TFFTAnalysis analysis(nullptr);
  analysis.AnalyzeData();  // no point
  analysis.SetMPoint(&point);
  analysis.SetActive(false);
  analysis.AnalyzeData();
  analysis.SetActive(true);
  point.SetActive(false);
  analysis.AnalyzeData();
  EXPECT_EQ(point.Spectrum()->Amplt()[4], -1);
  EXPECT_TRUE(analysis.Dirty());

  TSpectrumPoint empty(nullptr);  // time signal of length 0
  analysis.SetMPoint(&empty);
  analysis.AnalyzeData();
  EXPECT_TRUE(analysis.Dirty());

  TSpectrumPoint single(nullptr);  // one sample: no spectral lines
  single.SetLength(1);
  single.SetSampleTime(1);
  analysis.SetMPoint(&single);
  analysis.AnalyzeData();
  EXPECT_TRUE(analysis.Dirty());
  EXPECT_EQ(single.TimeSignal()->MaxValue(), 0.0f);

  TSpectrumPoint resized(nullptr);  // time signal shortened behind the point's back
  resized.SetLength(64);
  resized.SetSampleTime(1);
  resized.TimeSignal()->SetLength(16);
  analysis.SetMPoint(&resized);
  analysis.AnalyzeData();
  EXPECT_TRUE(analysis.Dirty());
}

TEST(SpectrumAnalysisFailures, LogarithmWithoutValueRaises) {
  // Relative decibels of an all-zero signal: the reference 0 has no logarithm.
  TSpectrumPoint zero(nullptr);
  zero.SetLength(64);
  zero.SetSampleTime(1);
  TFFTAnalysis analysis(nullptr);
  analysis.SetMPoint(&zero);
  analysis.SetLogarithmic(true);
  analysis.SetLogType(ltRelative);
  EXPECT_THROW(analysis.AnalyzeData(), EMathError);
  EXPECT_TRUE(analysis.Dirty());
  // Absolute decibels of an all-zero signal are well defined: every line at the floor.
  analysis.SetLogType(ltAbsolute);
  analysis.AnalyzeData();
  EXPECT_EQ(zero.Spectrum()->Amplt()[3], -120.0f);

  // A negative scale factor makes negative ratios.
  TSpectrumPoint sine(nullptr);
  Fill(sine, 64, 1.0f, [](double t) { return 1 + std::sin(2 * kPi * 4 * t); });
  analysis.SetMPoint(&sine);
  analysis.SetScaleFactor(-1);
  EXPECT_THROW(analysis.AnalyzeData(), EMathError);
  EXPECT_TRUE(analysis.Dirty());
  for (int k = 0; k < 32; ++k) EXPECT_FALSE(std::isnan(sine.Spectrum()->Amplt()[k])) << k;
}

// Independent model: windowed direct DFT in double precision, scaled as the
// analysis defines its lines (2/N |F(k)| times the window correction; line 0
// combines the sum and the alternating sum).
std::vector<double> ModelSpectrum(const std::vector<float>& x, TTimeWindow window, bool dcDump) {
  const int n = static_cast<int>(x.size());
  double mean32 = 0;
  {
    float s = 0;
    for (float v : x) s += v;
    mean32 = static_cast<float>(s / n);
  }
  std::vector<double> w(n, 1.0);
  double factor = 1;
  for (int i = 0; i < n; ++i) {
    const double phi = 2 * kPi * i / n;
    switch (window) {
      case wtHanning: w[i] = 0.5 * (1 - std::cos(phi)); factor = 2.0f; break;
      case wtHamming: w[i] = 0.54 - 0.46 * std::cos(phi); factor = 1.8518518f; break;
      case wtBlackman: w[i] = 0.42 - 0.5 * std::cos(phi) + 0.08 * std::cos(2 * phi); factor = 2.3809524f; break;
      case wtFlatTop:
        w[i] = 0.2810639 - 0.5208972 * std::cos(phi) + 0.1980399 * std::cos(2 * phi);
        factor = 3.5579097f;
        break;
      case wtBartlet: w[i] = 1 - std::fabs((2.0 * i - n) / n); factor = 2.0f; break;
      default: break;
    }
  }
  std::vector<double> xw(n);
  for (int i = 0; i < n; ++i) xw[i] = w[i] * (x[i] - (dcDump ? mean32 : 0.0));
  const int lines = n / 2;
  std::vector<double> amplt(lines);
  for (int k = 0; k < lines; ++k) {
    std::complex<double> f = 0;
    for (int j = 0; j < n; ++j) f += xw[j] * std::polar(1.0, -2 * kPi * static_cast<double>((static_cast<long long>(k) * j) % n) / n);
    amplt[k] = 2.0 / n * std::abs(f);
  }
  double s = 0, t = 0;
  for (int j = 0; j < n; ++j) s += xw[j], t += (j % 2 ? -1 : 1) * xw[j];
  amplt[0] = 2.0 / n * std::sqrt(s * s + t * t);
  for (double& a : amplt) a *= factor;
  return amplt;
}

TEST(SpectrumAnalysisModel, RandomSignalMatchesWindowedDirectDft) {
  std::mt19937 gen(20261211);
  std::normal_distribution<float> noise(0.5f, 1.0f);
  for (int n : {64, 1024}) {
    for (TTimeWindow window : {wtRectangular, wtHanning, wtHamming, wtFlatTop, wtBartlet, wtBlackman}) {
      for (bool dump : {false, true}) {
        std::vector<float> x(n);
        for (float& v : x) v = noise(gen);
        TSpectrumPoint point(nullptr);
        point.SetLength(n);
        point.SetSampleTime(0.25f);
        std::copy(x.begin(), x.end(), point.TimeSignal()->Data());
        TFFTAnalysis analysis(nullptr);
        analysis.SetMPoint(&point);
        analysis.SetTimeWindow(window);
        analysis.SetDCDump(dump);
        analysis.AnalyzeData();
        const auto model = ModelSpectrum(x, window, dump);
        double peak = 0;
        for (double a : model) peak = std::max(peak, a);
        for (int k = 0; k < n / 2; ++k)
          ASSERT_NEAR(point.Spectrum()->Amplt()[k], model[k], 2e-5 * peak * std::log2(n))
              << "n " << n << " window " << window << " dump " << dump << " line " << k;
      }
    }
  }
}

TEST(SpectrumAnalysisFFT, ComplexAndRealTransformInPlace) {
  TAmpltAnalysis analysis(nullptr);
  // One complex point at index 1 of four: the forward transform is flat.
  std::vector<float> data(9, 0.0f);
  data[1] = 1;
  analysis.ComplexFFT(4, data.data(), 1);
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(data[2 * k + 1], 1.0f);
    EXPECT_FLOAT_EQ(data[2 * k + 2], 0.0f);
  }
  std::vector<float> real{0, 1, 1, 1, 1, 1, 1, 1, 1};  // eight samples of 1
  analysis.RealFFT(4, real.data(), 1);
  EXPECT_FLOAT_EQ(real[1], 8.0f);
  EXPECT_FLOAT_EQ(real[2], 0.0f);
  EXPECT_THROW(analysis.ComplexFFT(3, data.data(), 1), EInvalidOp);
  EXPECT_THROW(analysis.RealFFT(4, nullptr, 1), EInvalidOp);
}

}  // namespace
}  // namespace vandrel
