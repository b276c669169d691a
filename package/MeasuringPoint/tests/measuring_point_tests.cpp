#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "vandrel/MeasuringPoint.h"

namespace vandrel {
namespace {

TEST(SpectrumPointTest, CreateGivesDefaults) {
  TSpectrumPoint p(nullptr);
  EXPECT_EQ(p.Length(), 0);
  EXPECT_EQ(p.SampleTime(), 0.0f);
  EXPECT_TRUE(p.Active());
  EXPECT_FALSE(p.Dirty());
  EXPECT_EQ(p.SensorUnits(), "");
  ASSERT_NE(p.Spectrum(), nullptr);
  ASSERT_NE(p.TimeSignal(), nullptr);
  EXPECT_EQ(p.TimeSignal()->Length(), 0);
  EXPECT_EQ(p.ClassName(), "TSpectrumPoint");
}

TEST(SpectrumPointTest, LengthRoundsUpToPowersOfTwo) {
  const std::pair<int32_t, int32_t> cases[] = {
      {1000, 1024}, {1024, 1024}, {1025, 2048}, {1, 1},         {2, 2},
      {3, 4},       {5, 8},       {6, 8},       {7, 8},         {65537, 131072},
      {200000000, 268435456},     {200000001, 268435456},       {INT32_MAX, 268435456},
      {134217728, 134217728},     {134217729, 268435456}};
  for (auto [request, expected] : cases) {
    TSpectrumPoint p(nullptr);
    p.SetLength(request);
    EXPECT_EQ(p.Length(), expected) << request;
  }
}

TEST(SpectrumPointTest, NonPositiveLengthRaisesAndChangesNothing) {
  TSpectrumPoint p(nullptr);
  p.SetLength(64);
  p.SetSampleTime(1);
  EXPECT_THROW(p.SetLength(0), EZeroDivide);
  EXPECT_THROW(p.SetLength(-3), EInvalidOp);
  EXPECT_THROW(p.SetLength(INT32_MIN), EMathError);
  EXPECT_EQ(p.Length(), 64);
  EXPECT_EQ(p.TimeSignal()->Length(), 64);
  EXPECT_EQ(p.Spectrum()->Length(), 32);
}

TEST(SpectrumPointTest, TimingInvariants) {
  TSpectrumPoint p(nullptr);
  p.SetLength(1024);
  p.SetSampleTime(0.5f);
  const TTImeSignal& ts = *p.TimeSignal();
  const TSpectrum& sp = *p.Spectrum();
  EXPECT_EQ(ts.Length(), 1024);
  EXPECT_EQ(ts.MinX(), 0.0f);
  EXPECT_EQ(ts.MaxX(), 0.5f);
  EXPECT_EQ(ts.SampleLength(), 0.5f);
  EXPECT_EQ(ts.SampleFrequency(), 2048.0f);
  EXPECT_EQ(sp.Length(), 512);
  EXPECT_EQ(sp.MinX(), 0.0f);
  EXPECT_EQ(sp.MaxX(), 1024.0f);
  EXPECT_EQ(sp.MaxX() / sp.Length(), 2.0f);
}

TEST(SpectrumPointTest, TimingWithAnInexactSpan) {
  TSpectrumPoint p(nullptr);
  p.SetSampleTime(0.1f);
  p.SetLength(4096);
  const double t = 0.1f;
  EXPECT_EQ(p.TimeSignal()->SampleFrequency(), static_cast<float>(4096 / t));
  EXPECT_EQ(p.Spectrum()->MaxX(), static_cast<float>(4096 / 2.0 / t));
}

TEST(SpectrumPointTest, LengthOneHasNoSpectralLines) {
  TSpectrumPoint p(nullptr);
  p.SetLength(1);
  p.SetSampleTime(1);
  EXPECT_EQ(p.TimeSignal()->Length(), 1);
  EXPECT_EQ(p.Spectrum()->Length(), 0);
  EXPECT_EQ(p.Spectrum()->MaxX(), 0.5f);
}

TEST(SpectrumPointTest, TimingWaitsForBothLengthAndSampleTime) {
  TSpectrumPoint p(nullptr);
  p.SetLength(256);
  EXPECT_EQ(p.TimeSignal()->Length(), 0);
  EXPECT_EQ(p.Spectrum()->Length(), 0);
  p.SetSampleTime(0.5f);
  EXPECT_EQ(p.TimeSignal()->Length(), 256);
  EXPECT_EQ(p.Spectrum()->Length(), 128);
}

TEST(SpectrumPointTest, RetimingKeepsOrClearsSamples) {
  TSpectrumPoint p(nullptr);
  p.SetLength(16);
  p.SetSampleTime(1);
  p.TimeSignal()->Data()[3] = 7;
  p.SetLength(16);  // same length: re-timed, samples kept
  EXPECT_EQ(p.TimeSignal()->Data()[3], 7.0f);
  p.SetSampleTime(2);  // new span: axes rescaled, samples kept
  EXPECT_EQ(p.TimeSignal()->Data()[3], 7.0f);
  EXPECT_EQ(p.TimeSignal()->MaxX(), 2.0f);
  EXPECT_EQ(p.TimeSignal()->SampleFrequency(), 8.0f);
  EXPECT_EQ(p.Spectrum()->MaxX(), 4.0f);
  p.SetLength(32);  // new length: cleared
  EXPECT_EQ(p.TimeSignal()->Data()[3], 0.0f);
}

TEST(SpectrumPointTest, BadSampleTimeIsStoredWithoutRetiming) {
  for (float bad : {-1.0f, 0.0f, std::numeric_limits<float>::quiet_NaN()}) {
    TSpectrumPoint p(nullptr);
    p.SetLength(16);
    p.SetSampleTime(1);
    p.SetSampleTime(bad);
    if (std::isnan(bad))
      EXPECT_TRUE(std::isnan(p.SampleTime()));
    else
      EXPECT_EQ(p.SampleTime(), bad);
    EXPECT_EQ(p.TimeSignal()->MaxX(), 1.0f);
    EXPECT_EQ(p.Spectrum()->MaxX(), 8.0f);
  }
}

TEST(TimePointTest, KeepsLengthAndTimesItsSignal) {
  TTimePoint p(nullptr);
  EXPECT_EQ(p.Spectrum(), nullptr);
  p.SetLength(1000);
  EXPECT_EQ(p.Length(), 1000);
  p.SetSampleTime(2);
  const TTImeSignal& ts = *p.TimeSignal();
  EXPECT_EQ(ts.Length(), 1000);
  EXPECT_EQ(ts.MaxX(), 2.0f);
  EXPECT_EQ(ts.SampleLength(), 2.0f);
  EXPECT_EQ(ts.SampleFrequency(), 500.0f);
}

TEST(TimePointTest, NonPositiveLengthIsStoredWithoutRetiming) {
  TTimePoint p(nullptr);
  p.SetLength(100);
  p.SetSampleTime(1);
  p.SetLength(0);
  EXPECT_EQ(p.Length(), 0);
  EXPECT_EQ(p.TimeSignal()->Length(), 100);
  p.SetLength(-7);
  EXPECT_EQ(p.Length(), -7);
  EXPECT_EQ(p.TimeSignal()->Length(), 100);
}

TEST(MeasuringPointTest, PublishedPropertiesInOrderWithDefaults) {
  const auto props = TSpectrumPoint::StaticClassInfo().Properties();
  std::vector<std::string> names;
  for (const TPropInfo* p : props) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"SensorUnits", "Length", "SampleTime", "Active", "Dirty"}));

  TTimePoint tp(nullptr);
  const TClassInfo& info = tp.ClassInfo();
  EXPECT_EQ(info.Name, "TTimePoint");
  EXPECT_TRUE(info.InheritsFrom(TMeasuringPoint::StaticClassInfo()));
  EXPECT_FALSE(info.FindProperty("Length")->IsStored(tp)) << "Length 0 equals its default";
  EXPECT_TRUE(info.FindProperty("SampleTime")->IsStored(tp)) << "no default: always stored";
  info.FindProperty("length")->Set(tp, TPropValue(int32_t{1000}));
  EXPECT_EQ(tp.Length(), 1000);
  EXPECT_TRUE(info.FindProperty("Length")->IsStored(tp));
  info.FindProperty("SensorUnits")->Set(tp, TPropValue(std::string("g")));
  EXPECT_EQ(std::get<std::string>(info.FindProperty("SensorUnits")->Get(tp)), "g");
  EXPECT_FALSE(TMeasuringPoint::StaticClassInfo().Factory) << "abstract: not creatable by name";
  ASSERT_TRUE(TSpectrumPoint::StaticClassInfo().Factory);
}

TEST(MeasuringPointTest, OwnerDestroysPoints) {
  auto* owner = new TComponent(nullptr);
  auto* sp = new TSpectrumPoint(owner);
  auto* tp = new TTimePoint(owner);
  sp->SetLength(1 << 12);
  sp->SetSampleTime(1);
  tp->SetLength(100);
  tp->SetSampleTime(1);
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete owner;  // leak checkers see no buffer left behind
}

}  // namespace
}  // namespace vandrel
