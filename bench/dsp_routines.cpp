// Speed of the element-wise and correlation routines of Dsp.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "vandrel/Dsp.h"

namespace {

std::vector<float> Noise(size_t n, unsigned seed, float lo = -1.0f, float hi = 1.0f) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(lo, hi);
  std::vector<float> v(n);
  for (auto& x : v) x = dist(gen);
  return v;
}

void BM_WindowSignalHanning(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto src = Noise(n, 1);
  auto data = src;
  for (auto _ : state) {
    vandrel::CopyDataAll(n, src.data(), data.data());
    vandrel::WindowSignal(1, n, data.data());
    benchmark::DoNotOptimize(data.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_AutoCorrelation2(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto x = Noise(n, 2);
  std::vector<float> r(2 * n);
  for (auto _ : state) {
    vandrel::SetToZero(2 * n, r.data());
    vandrel::AutoCorrelation2(n, x.data(), r.data());
    benchmark::DoNotOptimize(r.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_SpectrumToDB(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto src = Noise(n, 3, 0.0f, 10.0f);
  auto data = src;
  for (auto _ : state) {
    vandrel::CopyDataAll(n, src.data(), data.data());
    vandrel::SpectrumToDB(n, data.data(), 90.0f, 10.0f, 0);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_WindowSignalHanning)->Arg(1 << 16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AutoCorrelation2)->Arg(4096)->Arg(16384)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectrumToDB)->Arg(1 << 15)->Unit(benchmark::kMicrosecond);
