// Transform speed of the Dsp routines. Sizes are counts of samples: real
// samples for FFTReal, complex values for the others.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "vandrel/Dsp.h"

namespace {

std::vector<float> Noise(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(n);
  for (auto& x : v) x = dist(gen);
  return v;
}

// The unnormalised transforms get fresh input every iteration (a copy costs
// well under 2% of a transform), so that the values stay in range.
void BM_FFTReal(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const auto src = Noise(samples + 1, 1);
  std::vector<float> data(src.size());
  for (auto _ : state) {
    std::memcpy(data.data(), src.data(), src.size() * sizeof(float));
    vandrel::FFTReal(data.data(), samples / 2, 1);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetItemsProcessed(state.iterations() * samples);
}

void BM_Four1(benchmark::State& state) {
  const int nn = static_cast<int>(state.range(0));
  const auto src = Noise(2 * nn + 1, 2);
  std::vector<float> data(src.size());
  for (auto _ : state) {
    std::memcpy(data.data(), src.data(), src.size() * sizeof(float));
    vandrel::Four1(data.data(), nn, 1);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetItemsProcessed(state.iterations() * nn);
}

// FFTJ normalises by 1/n, so repeated transforms stay bounded.
void BM_FFTJ(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto re = Noise(n, 3), im = Noise(n, 4);
  for (auto _ : state) {
    vandrel::FFTJ(n, re.data(), im.data());
    benchmark::DoNotOptimize(re.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// FFTCooly with sign +1 divides by n, likewise bounded.
void BM_FFTCooly(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto re = Noise(n + 1, 5), im = Noise(n + 1, 6);
  for (auto _ : state) {
    vandrel::FFTCooly(n, re.data(), im.data(), 1);
    benchmark::DoNotOptimize(re.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_FFTReal)
    ->Arg(1 << 10)
    ->Arg(1 << 14)
    ->Arg(1 << 16)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Four1)->Arg(1 << 10)->Arg(1 << 14)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FFTJ)->Arg(1 << 10)->Arg(1 << 14)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FFTCooly)->Arg(1 << 10)->Arg(1 << 14)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
