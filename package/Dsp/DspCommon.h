// Helpers shared by the Dsp routines' sources; not part of the public interface.
#pragma once

#include <cstdint>

namespace vandrel::dsp_detail {

// The 15-digit value of 2 pi that the one-based transform family is defined
// with; its twiddle factors depend on these exact digits.
inline constexpr double kTwoPi15 = 6.28318530717959;
// pi to full double precision, for the routines that evaluate sine and cosine
// directly.
inline constexpr double kPi = 3.14159265358979323846;

// Largest count the transforms accept: every index they form (up to a few
// times the count) then stays far inside int64_t, and array sizes inside
// what a process can hold.
inline constexpr int64_t kMaxTransformCount = int64_t{1} << 30;

// Hot element-wise kernels are compiled for several instruction sets and the
// best one the processor supports is chosen at load time. Every variant runs
// the same IEEE operations per element (no contraction), so the results do not
// depend on the variant.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VANDREL_DSP_KERNEL __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define VANDREL_DSP_KERNEL
#endif

inline bool IsPowerOfTwo(int64_t n) {
  return n > 0 && (n & (n - 1)) == 0;
}

// A transform count the routines can run on: a power of two up to the cap.
inline bool ValidTransformCount(int64_t n) {
  return IsPowerOfTwo(n) && n <= kMaxTransformCount;
}

// Rounds a double-precision intermediate to the 32-bit value the routines
// store; named so the narrowing points read as deliberate.
inline float ToSingle(double v) {
  return static_cast<float>(v);
}

// The amplitude correction factor of window code `window` as a 32-bit
// constant: the reciprocal mean weight of the window (a fixed value for the
// exponential one); 1 for the rectangular window and codes without a window.
float WindowCorrection(int window);

}  // namespace vandrel::dsp_detail
