// The spectrum analysis against a minimal pipeline over the same transform
// (copy, window, FFTReal, magnitudes), so that the analysis's own overhead shows.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "vandrel/Dsp.h"
#include "vandrel/SignalAnalysis.h"

namespace {

void FillNoise(float* data, int n) {
  std::mt19937 gen(7);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  for (int i = 0; i < n; ++i) data[i] = noise(gen);
}

void BM_AnalyzeDataHanning(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  vandrel::TSpectrumPoint point(nullptr);
  point.SetLength(n);
  point.SetSampleTime(1.0f);
  FillNoise(point.TimeSignal()->Data(), n);
  vandrel::TFFTAnalysis analysis(nullptr);
  analysis.SetMPoint(&point);
  analysis.SetTimeWindow(vandrel::wtHanning);
  for (auto _ : state) {
    analysis.AnalyzeData();
    benchmark::DoNotOptimize(point.Spectrum()->Amplt());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AnalyzeDataHanning)->Arg(1 << 12)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

// The least a Hanning amplitude spectrum costs with the same transform.
void BM_MinimalPipelineHanning(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int lines = n / 2;
  std::vector<float> signal(n), work(n + 5), amplt(lines + 1);
  FillNoise(signal.data(), n);
  for (auto _ : state) {
    vandrel::CopyDataAll(n, signal.data(), work.data() + 1);
    vandrel::WindowSignal(vandrel::wtHanning, n, work.data() + 1);
    vandrel::FFTReal(work.data(), lines, 1);
    for (int k = 0; k < lines; ++k)
      amplt[k] = std::sqrt(work[2 * k + 1] * work[2 * k + 1] + work[2 * k + 2] * work[2 * k + 2]);
    benchmark::DoNotOptimize(amplt.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_MinimalPipelineHanning)->Arg(1 << 12)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
