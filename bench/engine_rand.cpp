// The engine's noise generators filling 2^20 samples.
#include <benchmark/benchmark.h>

#include <vector>

#include "dsp/kvx.h"

namespace {

constexpr int32_t kSamples = 1 << 20;

void BM_RandUni(benchmark::State& state) {
  std::vector<float> out(kSamples);
  UniformRandState gen;
  kvxsRandUniInit(1.0f, -1.0f, 1.0f, &gen);
  for (auto _ : state) {
    kvxsbRandUni(&gen, out.data(), kSamples);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_RandUni)->Unit(benchmark::kMillisecond);

void BM_RandGaus(benchmark::State& state) {
  std::vector<float> out(kSamples);
  GaussRandState gen;
  kvxsRandGausInit(1.0f, 0.0f, 1.0f, &gen);
  for (auto _ : state) {
    kvxsbRandGaus(&gen, out.data(), kSamples);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_RandGaus)->Unit(benchmark::kMillisecond);

}  // namespace
