// Double-precision references for the transform tests: a direct DFT and the
// relative L2 distance between a float result and a reference.
#pragma once

#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace vandrel::testref {

using Cplx = std::complex<double>;

// F(k) = sum_j x(j) exp(sign 2 pi i jk / L), with the angle reduced exactly
// (jk mod L) so that the reference itself stays accurate for large L. Only the
// first `outputs` values are computed when outputs >= 0.
inline std::vector<Cplx> DirectDft(const std::vector<Cplx>& x, int sign, int64_t outputs = -1) {
  const int64_t L = static_cast<int64_t>(x.size());
  const int64_t K = outputs < 0 ? L : outputs;
  std::vector<Cplx> f(K);
  const long double twoPi = 6.283185307179586476925286766559L;
  for (int64_t k = 0; k < K; ++k) {
    Cplx s = 0;
    for (int64_t j = 0; j < L; ++j) {
      const long double a = twoPi * static_cast<long double>((j * k) % L) / L;
      s += x[j] * Cplx(static_cast<double>(std::cos(a)), sign * static_cast<double>(std::sin(a)));
    }
    f[k] = s;
  }
  return f;
}

// ||got - want|| / ||want|| over complex sequences.
inline double RelativeL2(const std::vector<Cplx>& got, const std::vector<Cplx>& want) {
  double num = 0, den = 0;
  for (size_t i = 0; i < want.size(); ++i) {
    num += std::norm(got[i] - want[i]);
    den += std::norm(want[i]);
  }
  return den == 0 ? std::sqrt(num) : std::sqrt(num / den);
}

// Reproducible random samples in [-1, 1).
inline std::vector<float> RandomSamples(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(n);
  for (auto& x : v) x = dist(gen);
  return v;
}

// A tolerance for a single-precision radix-2 transform of L points relative
// to the exact one.
inline double FftTolerance(int64_t L) {
  return 4e-7 * (1 + std::log2(static_cast<double>(L)));
}

}  // namespace vandrel::testref
