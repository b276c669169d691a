// The engine's FIR filter: the block filter behind every FIR ProcessData
// (single-rate and up 3 / down 2, 372 taps over 2^20 samples) and the
// one-sample filter. Items are input samples.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "dsp/kvx.h"

namespace {

constexpr int32_t kTaps = 372;
constexpr int32_t kSamples = 1 << 20;

std::vector<float> Noise(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(n);
  for (auto& x : v) x = dist(gen);
  return v;
}

void BM_FirSingleRate(benchmark::State& state) {
  const auto taps = Noise(kTaps, 1);
  const auto in = Noise(kSamples, 2);
  std::vector<float> out(kSamples);
  FirState fir;
  kvxsFirInit(taps.data(), kTaps, nullptr, &fir);
  for (auto _ : state) {
    kvxsbFir(&fir, in.data(), out.data(), kSamples);
    benchmark::DoNotOptimize(out.data());
  }
  kvxFirFree(&fir);
  state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_FirSingleRate)->Unit(benchmark::kMillisecond);

void BM_FirMultiRate(benchmark::State& state) {
  const int32_t up = static_cast<int32_t>(state.range(0));
  const int32_t down = static_cast<int32_t>(state.range(1));
  const int32_t iters = kSamples / down;
  const auto taps = Noise(kTaps, 1);
  const auto in = Noise(size_t(iters) * down, 2);
  std::vector<float> out(size_t(iters) * up);
  FirState fir;
  kvxsFirInitMr(taps.data(), kTaps, nullptr, up, 0, down, 0, &fir);
  for (auto _ : state) {
    kvxsbFir(&fir, in.data(), out.data(), iters);
    benchmark::DoNotOptimize(out.data());
  }
  kvxFirFree(&fir);
  state.SetItemsProcessed(state.iterations() * int64_t(iters) * down);
}
BENCHMARK(BM_FirMultiRate)->Args({3, 2})->Args({1, 4})->Args({2, 1})->Unit(benchmark::kMillisecond);

void BM_FirOneSample(benchmark::State& state) {
  const auto taps = Noise(kTaps, 1);
  const auto in = Noise(4096, 2);
  FirState fir;
  kvxsFirInit(taps.data(), kTaps, nullptr, &fir);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kvxsFir(&fir, in[i]));
    i = (i + 1) & 4095;
  }
  kvxFirFree(&fir);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FirOneSample);

}  // namespace
