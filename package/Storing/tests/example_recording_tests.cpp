#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/Storing.h"
#include "vandrel/testing/MessageCapture.h"

namespace vandrel {
namespace {

// Amplitude of spectral line K of X (peak value of a sinusoid on the line),
// by a direct double-precision DFT.
double LineAmplitude(const float* X, int N, int K) {
  std::complex<double> sum = 0;
  for (int j = 0; j < N; ++j)
    sum += static_cast<double>(X[j]) * std::polar(1.0, -2 * std::numbers::pi * K * j / N);
  return 2 * std::abs(sum) / N;
}

// The bundled recording played into a spectrum point, as the host's
// spectrum command does: shaft line, harmonics and a growing bearing tone.
TEST(ExampleRecordingTest, PlaysTheShaftAndTheDevelopingBearingTone) {
  testing::MessageCapture messages;
  TSpectrumPoint point;
  TFileStoring reader;
  reader.SetMPoint(&point);
  reader.SetFileName(std::string(VANDREL_EXAMPLES_DIR) + "/vibration.sgl");
  reader.LoadFile();
  ASSERT_EQ(reader.RecordCount(), 6);
  std::vector<double> bearing;
  for (int k = 1; k <= reader.RecordCount(); ++k) {
    reader.ProcessRecord(k);
    ASSERT_EQ(point.Length(), 2048);
    ASSERT_EQ(point.SampleTime(), 0.5f);
    EXPECT_EQ(point.Spectrum()->MaxX(), 2048.0f);
    const float* x = point.TimeSignal()->Data();
    // Lines are 2 Hz apart; the shaft runs at 24.75 Hz, between lines 12 and 13.
    int strongest = 1;
    std::vector<double> a(1024);
    for (int line = 1; line < 1024; ++line) {
      a[line] = LineAmplitude(x, 2048, line);
      if (a[line] > a[strongest]) strongest = line;
    }
    EXPECT_EQ(strongest, 12) << k;
    EXPECT_GT(a[25], 0.1) << k;  // second harmonic, 49.5 Hz
    bearing.push_back(a[81]);    // 6.55 x shaft = 162.1 Hz
  }
  EXPECT_GT(bearing.back(), 5 * bearing.front());
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace vandrel
