#include <gtest/gtest.h>

#include <sys/resource.h>

#include <string>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/testing/MessageCapture.h"

namespace vandrel {
namespace {

using testing::MessageCapture;

TEST(TimeSignalTest, NewSignalReportsUndefinedLength) {
  MessageCapture msgs;
  TTImeSignal ts;
  EXPECT_EQ(ts.Length(), 0);
  EXPECT_EQ(ts.Data(), nullptr);
  EXPECT_EQ(ts.Value(0), 0.0f);
  ts.SetValue(0, 1.0f);
  ASSERT_EQ(msgs.Messages().size(), 2u);
  for (const auto& m : msgs.Messages()) EXPECT_EQ(m, "Length of time signal not defined!");
  EXPECT_EQ(msgs.Types()[0], mtInformation);
  EXPECT_EQ(msgs.Buttons()[0], mbOKOnly);
  EXPECT_EQ(msgs.HelpContexts()[0], 0);
}

TEST(TimeSignalTest, BoundsMessages) {
  struct Case {
    int32_t index;
    const char* message;  // nullptr: valid index
  };
  const Case cases[] = {{8, "TSpectrum: Upper bound overrun!"},
                        {1000, "TSpectrum: Upper bound overrun!"},
                        {-1, "TSpectrum: Lower bound underrun!"},
                        {INT32_MIN, "TSpectrum: Lower bound underrun!"},
                        {7, nullptr},
                        {0, nullptr}};
  TTImeSignal ts;
  ts.SetLength(8);
  for (const Case& c : cases) {
    MessageCapture msgs;
    ts.SetValue(c.index, 5.0f);
    float v = ts.Value(c.index);
    if (c.message) {
      ASSERT_EQ(msgs.Messages().size(), 2u) << c.index;
      EXPECT_EQ(msgs.Messages()[0], c.message);
      EXPECT_EQ(msgs.Messages()[1], c.message);
    } else {
      EXPECT_TRUE(msgs.Messages().empty()) << c.index;
      EXPECT_EQ(v, 5.0f);
    }
  }
  EXPECT_EQ(ts.Data()[8], 0.0f) << "the spare element is never written through SetValue";
}

TEST(TimeSignalTest, SetLengthKeepsSamplesOnlyForTheSameLength) {
  TTImeSignal ts;
  ts.SetLength(8);
  const float* before = ts.Data();
  for (int i = 0; i < 8; ++i) ts.SetValue(i, i + 1.0f);
  ts.SetLength(8);
  EXPECT_EQ(ts.Data(), before);
  EXPECT_EQ(ts.Value(7), 8.0f);
  ts.SetLength(16);
  for (int i = 0; i <= 16; ++i) EXPECT_EQ(ts.Data()[i], 0.0f) << i;
}

TEST(TimeSignalTest, SetLengthZeroKeepsOnlyTheSpare) {
  MessageCapture msgs;
  TTImeSignal ts;
  ts.SetLength(64);
  ts.SetLength(0);
  EXPECT_EQ(ts.Length(), 0);
  ASSERT_NE(ts.Data(), nullptr);
  EXPECT_EQ(ts.Data()[0], 0.0f);
  ts.Value(0);
  EXPECT_EQ(msgs.Last(), "Length of time signal not defined!");
}

TEST(TimeSignalTest, NegativeLengthIsTakenAsZero) {
  TTImeSignal ts;
  ts.SetLength(16);
  ts.SetLength(-5);
  EXPECT_EQ(ts.Length(), 0);
  TSpectrum sp;
  sp.SetLength(-1);
  EXPECT_EQ(sp.Length(), 0);
}

TEST(TimeSignalTest, SampleFrequencyFollowsLengthAndSpan) {
  TTImeSignal ts;
  ts.SetLength(1024);
  EXPECT_EQ(ts.SampleFrequency(), 0.0f) << "no span yet: unchanged";
  ts.SetSampleLength(2);
  EXPECT_EQ(ts.SampleFrequency(), 512.0f);
  ts.SetLength(2048);
  EXPECT_EQ(ts.SampleFrequency(), 1024.0f);
  for (float bad : {0.0f, -1.0f}) {
    ts.SetSampleLength(bad);
    EXPECT_EQ(ts.SampleLength(), 2.0f);
    EXPECT_EQ(ts.SampleFrequency(), 1024.0f);
  }
}

TEST(TimeSignalTest, AllocationFailureLeavesTheBufferEmpty) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
  TTImeSignal ts;
  ts.SetLength(16);
  rlimit tight = old;
  tight.rlim_cur = 512ull << 20;  // far below the 2 GB asked for next
  if (setrlimit(RLIMIT_AS, &tight) != 0) GTEST_SKIP() << "cannot limit the address space";
  bool thrown = false;
  try {
    ts.SetLength(500000000);
  } catch (const EOutOfMemory&) {
    thrown = true;
  }
  setrlimit(RLIMIT_AS, &old);
  if (!thrown) GTEST_SKIP() << "allocation did not fail under the limit (sanitizer build?)";
  EXPECT_EQ(ts.Length(), 0);
  EXPECT_EQ(ts.Data(), nullptr);
}

TEST(SpectrumTest, LengthZeroHasOnlyTheBoundMessages) {
  MessageCapture msgs;
  TSpectrum sp;
  sp.Value(0);
  EXPECT_EQ(msgs.Last(), "TSpectrum: Upper bound overrun!");
  sp.Value(-1);
  EXPECT_EQ(msgs.Last(), "TSpectrum: Lower bound underrun!");
}

TEST(SpectrumTest, DataArraySelectsTheArray) {
  TSpectrum sp;
  EXPECT_EQ(sp.DataArray(), taAmplt);
  sp.SetLength(8);
  for (int i = 0; i <= 8; ++i) {
    EXPECT_EQ(sp.Amplt()[i], 0.0f);
    EXPECT_EQ(sp.Phase()[i], 0.0f);
  }
  sp.SetDataArray(taPhase);
  sp.SetValue(3, 45.0f);
  EXPECT_EQ(sp.Phase()[3], 45.0f);
  EXPECT_EQ(sp.Amplt()[3], 0.0f);
  EXPECT_EQ(sp.Value(3), 45.0f);
  sp.SetDataArray(taAmplt);
  sp.SetValue(3, 2.0f);
  EXPECT_EQ(sp.Value(3), 2.0f);
  EXPECT_EQ(sp.Phase()[3], 45.0f);
  const float* amplt = sp.Amplt();
  sp.SetLength(8);
  EXPECT_EQ(sp.Amplt(), amplt) << "same length keeps the arrays";
  EXPECT_EQ(sp.Amplt()[3], 2.0f);
}

}  // namespace
}  // namespace vandrel
